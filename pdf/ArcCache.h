#pragma once
// The bytes of the arcs a document has drawn, by everything they depend on. A
// calendar draws the same suns and moons on every page, each a few hundred
// path segments: a repeat copies the bytes of the first drawing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

class ArcCache {
 public:
  // An arc's arguments, its lengths and angles as bit patterns (so that 0 and
  // -0 stay apart), and the unit its lengths are in.
  struct Key {
    std::array<uint32_t, 7> values{};  // X, Y, Ray, StartAngle, EndAngle, Ratio, Rotate
    int32_t options = 0;
    int32_t scaleMode = 0;
    int16_t quality = 0;
    bool pie = false;
    bool operator==(const Key&) const = default;
  };

  // The bytes drawn for `key`, or null.
  const std::string* Find(const Key& key) const;
  // Keeps `bytes` for `key`, while there is room.
  void Keep(const Key& key, const std::string& bytes);

 private:
  // A document of many different arcs keeps the first ones only.
  static constexpr std::size_t kMaxArcs = 128;
  std::vector<std::pair<Key, std::string>> arcs_;
};

}  // namespace orvanta
