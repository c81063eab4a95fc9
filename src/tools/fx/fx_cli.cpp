#include "tools/fx/fx_cli.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "tools/fx/fx_grammar.h"
#include "tools/fx/fx_help.h"
#include "tools/fx/fx_job.h"

namespace tl::fx {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return s;
}

bool EndsWith(const std::string& s, const char* end) {
  const std::string_view e(end);
  return s.size() > e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

// An option rather than a value: a value never starts with "--", and a
// negative number is a value.
bool LooksLikeOption(const std::string& word) {
  return word.starts_with("--") || word == "-o" || word == "-h";
}

struct UsageError {
  std::string message;
};

// Reads the words into a job; throws UsageError.
class Reader {
 public:
  explicit Reader(const std::vector<std::string>& words) : words_(words) {}

  Job Read() {
    while (i_ < words_.size()) {
      const std::string& word = words_[i_++];
      if (word == "-o" || word == "--output") {
        Output(Next(word, "FILE"));
      } else if (word == "--background") {
        Background(Next(word, "COLOUR"));
      } else if (word == "--seed") {
        Seed(Next(word, "N"));
      } else if (word.starts_with("--")) {
        Effect(word);
      } else if (word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]))) {
        throw UsageError{"unknown option '" + word + "'"};
      } else if (!input_) {
        input_ = word;
      } else {
        throw UsageError{"two input pictures given, '" + *input_ + "' and '" + word + "': give one" +
                         PartHint(word)};
      }
    }
    if (!input_) throw UsageError{"no input picture given"};
    if (!output_) throw UsageError{"no output given: add -o FILE.png or -o FILE.bmp"};
    job_.input = *input_;
    return job_;
  }

 private:
  const std::string& Next(const std::string& option, const char* what) {
    if (i_ >= words_.size() || LooksLikeOption(words_[i_]))
      throw UsageError{option + " needs " + what};
    return words_[i_++];
  }

  void Output(const std::string& path) {
    if (output_) throw UsageError{"two outputs given, '" + *output_ + "' and '" + path + "': give one"};
    output_ = path;
    const std::string lower = Lower(path);
    if (EndsWith(lower, ".png")) {
      job_.format = OutputFormat::Png;
    } else if (EndsWith(lower, ".bmp")) {
      job_.format = OutputFormat::Bmp;
    } else {
      throw UsageError{"the output '" + path + "' must end in .png or .bmp"};
    }
    job_.output = path;
  }

  void Background(const std::string& text) {
    if (background_) throw UsageError{"--background is given twice"};
    background_ = true;
    const auto c = ParseColour(text);
    if (!c || *c == kBack)
      throw UsageError{"--background '" + text + "' must be a colour: #RRGGBB, 0xRRGGBB or colorref=N"};
    job_.background = PixelFromColorRef(static_cast<uint32_t>(*c) & 0xFFFFFF);
  }

  void Seed(const std::string& text) {
    if (job_.seed) throw UsageError{"--seed is given twice"};
    std::string why;
    const auto v = ParseValue({"N", ValueKind::Integer, 0, 4294967295.0}, text, why);
    if (!v) throw UsageError{"--seed '" + text + "' must be " + why};
    job_.seed = static_cast<uint32_t>(*v);
  }

  // --NAME[:PARTS] VALUE... with the parts on the last value when it has any.
  void Effect(const std::string& word) {
    const size_t colon = word.find(':');
    const std::string option = word.substr(0, colon);
    const fx::Effect* e = FindEffect(std::string_view(option).substr(2));
    if (e == nullptr) throw UsageError{"unknown option '" + option + "'"};
    if (colon != std::string::npos && !e->values.empty())
      throw UsageError{option + ": its parts follow its " + std::string(e->values.back().name) + ", as in " +
                       option + " " + e->Usage()};
    Step step{e, {}, {}};
    std::string parts = colon == std::string::npos ? std::string() : word.substr(colon);
    for (size_t k = 0; k < e->values.size(); ++k) {
      const Value& value = e->values[k];
      std::string text = Next(option, (std::string(value.name) + " (" + Expected(value) + ")").c_str());
      if (k + 1 == e->values.size() && text.find(':') != std::string::npos) {
        parts = text.substr(text.find(':'));
        text.resize(text.find(':'));
      }
      std::string why;
      const auto v = ParseValue(value, text, why);
      if (!v) throw UsageError{option + ": " + std::string(value.name) + " '" + text + "' must be " + why};
      step.values.push_back(*v);
    }
    if (!parts.empty()) {
      std::string why;
      const auto p = ParseParts(*e, std::string_view(parts).substr(1), why);
      if (!p) throw UsageError{option + ": " + why};
      step.parts = *p;
    }
    job_.steps.push_back(step);
    lastEffect_ = option;
    for (size_t k = i_ - e->values.size(); k < i_; ++k) lastEffect_ += " " + words_[k];
    lastEffectEnd_ = i_;
  }

  // A stray word that the effect before it would take as a part.
  std::string PartHint(const std::string& word) const {
    if (lastEffectEnd_ + 1 != i_) return {};
    std::string why;
    if (!ParseParts(*job_.steps.back().effect, word, why)) return {};
    return "\n  (an effect's optional parts follow it after a colon: " + lastEffect_ + ":" + word + ")";
  }

  const std::vector<std::string>& words_;
  std::string lastEffect_;    // the last effect's words
  size_t lastEffectEnd_ = 0;  // and the index after them
  size_t i_ = 0;
  Job job_;
  std::optional<std::string> input_, output_;
  bool background_ = false;
};

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // These answer at once, wherever they stand.
  for (const std::string& word : args) {
    if (word == "--help" || word == "-h") {
      PrintHelp(out);
      return kSuccess;
    }
    if (word == "--version") {
      out << kVersionText << "\n";
      return kSuccess;
    }
    if (word == "--list") {
      PrintList(out);
      return kSuccess;
    }
  }
  Job job;
  try {
    job = Reader(args).Read();
  } catch (const UsageError& e) {
    err << "tidelight-fx: " << e.message << "\n"
        << "Usage: " << kUsageLine << "\n"
        << "Run tidelight-fx --help for the effects and their parts.\n";
    return kUsageError;
  }
  return RunJob(job, err);
}

}  // namespace tl::fx
