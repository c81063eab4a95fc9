#pragma once
// A captioned host window on the headless back end holding push buttons.
#include <memory>
#include <string>
#include <vector>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "controls/command.h"

namespace tl::test {

struct ButtonHost : ControlHost {
  explicit ButtonHost(HeadlessPlatform& platform, Rect at = {100, 100, 500, 300}) : p(platform) {
    window = p.OpenWindow({"Host", WindowKind::Dialog, at}, sink);
    window->Show();
  }
  Window* HostWindow() override { return window.get(); }
  Font AmbientFont() override { return ambient; }
  void PropertyChanged(std::string_view property) override { changed.emplace_back(property); }

  // A button at a position in twips, loaded with the defaults and initialised.
  std::unique_ptr<Command> Add(TwipRect at, bool initialise = true) {
    auto c = std::make_unique<Command>(p, *this, at);
    c->Load(&stored);
    if (initialise) c->Initialize();
    c->Click = [this, b = c.get()] { clicks.push_back(b); };
    return c;
  }

  HeadlessPlatform& p;
  WindowEvents sink;
  std::unique_ptr<Window> window;
  Font ambient{"ＭＳ Ｐゴシック", 9, 400, 128};
  PropertyBag stored;
  std::vector<std::string> changed;
  std::vector<const Command*> clicks;
};

inline HeadlessWindow& Headless(Window* w) { return *static_cast<HeadlessWindow*>(w); }

}  // namespace tl::test
