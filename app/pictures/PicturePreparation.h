#pragma once
// The user's picture files prepared for their place on the page: bitmaps go
// to the writer as they are, JPEG and PNG pictures are fitted and compressed
// here, anything else is refused with the reason.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "calendar/PictureSlots.h"

namespace orvanta {

// The picture in `file` prepared for `box`. A JPEG source stays JPEG (its
// own bytes when nothing changes), a PNG becomes lossless zlib data. A
// problem is told in words that follow the file's name ("è un JPEG troncato
// ...").
PreparedPicture PreparePictureBytes(std::span<const std::uint8_t> file, PictureBox box);

// The same for the file at `path`.
PreparedPicture PreparePictureFile(const std::string& path, PictureBox box);

// A preparer that keeps what it prepared: the command line checks each picture
// as it reads its option, and the run then places the same result.
PicturePreparer RememberingPreparer();

// The JPEG, PNG and bitmap files of `folder` (by their names' endings, any
// case), in name order, with the folder in front; empty when it cannot be read.
std::vector<std::string> PicturesInFolder(const std::string& folder);

// Why the picture at `path` cannot be printed in `box`, in words that follow
// the file's name; empty when it can (a bitmap is judged as the writer will
// read it, from its headers).
std::string PictureProblem(const PicturePreparer& prepare, const std::string& path, PictureBox box);

}  // namespace orvanta
