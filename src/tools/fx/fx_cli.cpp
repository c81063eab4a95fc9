#include "tools/fx/fx_cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

#include "tools/fx/effect_table.h"
#include "tools/fx/fx_job.h"

namespace tl::fx {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  return s;
}

void PrintList(std::ostream& out) {
  // One effect a line, tab-separated: name, arguments, engine call, what it
  // does, an example chain.
  for (const Effect& e : Effects())
    out << e.name << '\t' << e.Usage() << '\t' << e.Source() << '\t' << e.summary << '\t'
        << e.example << '\n';
}

// Turns one occurrence of an effect's option into a step, or says why not.
Step MakeStep(const Effect& e, const std::vector<std::string>& given) {
  if (given.size() < e.RequiredArgs() || given.size() > e.args.size())
    throw CLI::ValidationError("--" + std::string(e.name),
                               "takes " + (e.args.empty() ? std::string("no arguments") : e.Usage()));
  Step step{&e, {}};
  for (size_t i = 0; i < e.args.size(); ++i) {
    const Arg& arg = e.args[i];
    if (i >= given.size()) {
      step.args.push_back(*arg.defaultValue);
      continue;
    }
    std::string why;
    const auto v = ParseArg(arg, given[i], why);
    if (!v)
      throw CLI::ValidationError("--" + std::string(e.name),
                                 std::string(arg.name) + " '" + given[i] + "' must be " + why);
    step.args.push_back(*v);
  }
  return step;
}

constexpr const char* kEffectsGroup = "Effects (applied in the order given)";

// An effect's arguments as its entry names them, and a usage line that
// shows the order the effects run in.
class Formatter : public CLI::Formatter {
 public:
  std::string make_option_opts(const CLI::Option* opt) const override {
    if (opt->get_group() == kEffectsGroup)
      return opt->get_type_name().empty() ? std::string() : " " + opt->get_type_name();
    return CLI::Formatter::make_option_opts(opt);
  }
  std::string make_usage(const CLI::App*, std::string name) const override {
    return "Usage: " + name + " INPUT [--EFFECT [ARGUMENTS]]... -o OUTPUT\n";
  }
};

std::string Footer() {
  return "\nEffects run in the order given, each on what the one before left; the\n"
         "output is what the engine last drew. Inputs: PNG, JPEG, GIF (first frame)\n"
         "and BMP, up to 16384 pixels a side and 2^25 pixels. Outputs: PNG or BMP,\n"
         "chosen by the output's extension, written whole or not at all.\n"
         "COLOUR: #RRGGBB, a COLORREF number (0x00BBGGRR) or -1 / back for the\n"
         "background colour. --list prints the effects one a line.\n"
         "Exit status: 0 done, 1 a file could not be read or written, 2 usage error.";
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Applies Tidelight's picture effects to a picture file.", "tidelight-fx"};
  // Options are written "--name" on every system: a path such as "/tmp/a.png"
  // is a path, never a Windows-style "/option".
  app.allow_windows_style_options(false);
  app.footer(Footer());
  app.set_version_flag("--version", kVersionText);
  app.formatter(std::make_shared<Formatter>());
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return "tidelight-fx: " + std::string(e.what()) + "\nRun with --help for more information.\n";
  });
  app.get_formatter()->column_width(34);

  Job job;
  std::string background = "#000000";
  app.add_option("INPUT", job.input, "the picture to read")->required()->type_name("FILE");
  app.add_option("-o,--output", job.output, "where to write the result (.png or .bmp)")
      ->required()
      ->type_name("FILE")
      ->check([&job](const std::string& path) -> std::string {
        const std::string lower = Lower(path);
        const auto endsWith = [&](const char* ext) {
          return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ext) == 0;
        };
        if (endsWith(".png")) job.format = OutputFormat::Png;
        else if (endsWith(".bmp")) job.format = OutputFormat::Bmp;
        else return "the output must end in .png or .bmp";
        return {};
      });
  app.add_option("--background", background,
                 "the box's colour: under transparent parts, and the fill of effects given -1")
      ->type_name("COLOUR");
  app.add_flag_callback("--list", [&out] {
       PrintList(out);
       throw CLI::Success();
     }, "list the effects, one a line, and stop")
      ->trigger_on_parse();

  for (const Effect& e : Effects()) {
    const std::string name = "--" + std::string(e.name);
    const std::string help = e.Source() + ": " + std::string(e.summary);
    CLI::Option* option;
    if (e.args.empty()) {
      option = app.add_flag_callback(name, [&job, &e] { job.steps.push_back(MakeStep(e, {})); }, help);
    } else {
      option = app.add_option_function<std::vector<std::string>>(
                      name, [&job, &e](const std::vector<std::string>& given) {
                        job.steps.push_back(MakeStep(e, given));
                      }, help)
                   ->type_name(e.Usage())
                   ->expected(static_cast<int>(e.RequiredArgs()), static_cast<int>(e.args.size()))
                   ->allow_extra_args(false);
    }
    option->group(kEffectsGroup)->trigger_on_parse();
  }

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
    std::string why;
    const Arg colour{"COLOUR", ArgKind::Colour, -2147483648.0, 2147483647.0};
    const auto c = ParseArg(colour, background, why);
    if (!c || *c < 0) throw CLI::ValidationError("--background", "COLOUR must be #RRGGBB or a COLORREF number");
    job.background = PixelFromColorRef(static_cast<uint32_t>(*c) & 0xFFFFFF);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == static_cast<int>(CLI::ExitCodes::Success) ? kSuccess : kUsageError;
  }
  return RunJob(job, err);
}

}  // namespace tl::fx
