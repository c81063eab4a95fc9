#pragma once
// One owner for every handle: a move-only value that closes what it holds
// exactly once. `Close` is a function object; one that needs context (the
// window a device context came from, the paint session of BeginPaint) keeps
// it as its own state.
#include <utility>

namespace tl {

template <typename Handle, typename Close, Handle kNone = Handle{}>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle h, Close close = Close{}) : handle_(h), close_(std::move(close)) {}
  ~Unique() { reset(); }

  Unique(Unique&& o) noexcept
      : handle_(std::exchange(o.handle_, kNone)), close_(std::move(o.close_)) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) {
      reset();
      handle_ = std::exchange(o.handle_, kNone);
      close_ = std::move(o.close_);
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != kNone; }
  const Close& closer() const { return close_; }

  // Closes what is held now and holds `h` instead.
  void reset(Handle h = kNone) {
    if (handle_ != kNone) close_(handle_);
    handle_ = h;
  }
  // Gives up ownership without closing.
  Handle release() { return std::exchange(handle_, kNone); }

 private:
  Handle handle_ = kNone;
  [[no_unique_address]] Close close_{};
};

}  // namespace tl
