#include "pdf/ArcCache.h"

namespace orvanta {

const std::string* ArcCache::Find(const Key& key) const {
  for (const auto& [kept, bytes] : arcs_) {
    if (kept == key) return &bytes;
  }
  return nullptr;
}

void ArcCache::Keep(const Key& key, const std::string& bytes) {
  if (arcs_.size() < kMaxArcs) arcs_.emplace_back(key, bytes);
}

}  // namespace orvanta
