#pragma once
// Owners for COM: an interface pointer released once, and the apartment a
// call needs, left as it was found.
#include <objbase.h>

#include <cstdint>
#include <cstring>

#include "base/unique.h"

namespace tl::win32 {

struct ReleaseCom {
  void operator()(IUnknown* p) const { p->Release(); }
};
template <typename Interface>
using UniqueCom = Unique<Interface*, ReleaseCom>;

// Joins (or enters) a single-threaded apartment for the caller's scope.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// An IStream over a copy of `bytes`; the stream frees its memory.
inline UniqueCom<IStream> StreamOver(const uint8_t* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
  if (!memory) return {};
  if (void* p = GlobalLock(memory)) {
    if (size) memcpy(p, bytes, size);
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return {};
  }
  return UniqueCom<IStream>(stream);
}

}  // namespace tl::win32
