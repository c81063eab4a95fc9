#pragma once
// A control's stored properties, as its host keeps them in its window
// description: keys in order, each with a Boolean, an integer, a number, a
// text or a font. A host fills one from a table; it round-trips to text,
// one property a line:
//
//   Caption = "設定"
//   Enabled = False
//   FontColour = 255
//   Font.Name = "ＭＳ Ｐゴシック"     (a font: one line per member)
//
// Reading text never fails: lines that cannot be read are left out.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "toolkit/text.h"

namespace tl {

using PropertyValue = std::variant<bool, int64_t, double, std::string, Font>;

class PropertyBag {
 public:
  using Entry = std::pair<std::string, PropertyValue>;

  PropertyBag() = default;
  PropertyBag(std::initializer_list<Entry> entries);

  // Replaces the key's value in place, or adds it at the end.
  void Write(std::string_view key, PropertyValue value);
  void Remove(std::string_view key);
  // The stored value; nothing when the key is missing.
  const PropertyValue* Read(std::string_view key) const;
  const std::vector<Entry>& Entries() const { return entries_; }
  bool operator==(const PropertyBag&) const = default;

  std::string ToText() const;
  static PropertyBag FromText(std::string_view text);

 private:
  std::vector<Entry> entries_;
};

// A stored value read as the property's type, with the toolkit's
// conversions; nothing when it cannot be converted (the read is skipped).
std::optional<bool> AsBoolean(const PropertyValue& v);
std::optional<int64_t> AsInteger(const PropertyValue& v);
// A font reads as its face name, its default value.
std::optional<std::string> AsText(const PropertyValue& v);

}  // namespace tl
