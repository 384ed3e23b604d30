#pragma once
// What the window and the command line accept for the user's own header and
// footer. The page fits a text of any length by shrinking its type; these
// limits are the input window's, and the command line keeps to them.

namespace orvanta {

inline constexpr int kHeaderTextLimit = 40;  // characters
inline constexpr int kFooterTextLimit = 30;

// The size a picture is drawn at on the page; any other size is stretched
// to it.
struct PictureSize {
  int widthMm;
  int heightMm;
};
inline constexpr PictureSize kHeaderPictureSize{210, 25};
inline constexpr PictureSize kFooterPictureSize{100, 12};

}  // namespace orvanta
