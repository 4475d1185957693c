#include "tools/cli/help_command.h"

#include <iostream>

#include "tools/cli/exit_status.h"

namespace scenc {

std::vector<const CLI::App*> subcommand_visibili(const CLI::App& app) {
  return app.get_subcommands([](const CLI::App* s) { return !s->get_group().empty() && !s->get_disabled(); });
}

CLI::App* aggiungi_help(CLI::App& app, ArgomentiAiuto& args, int& esito) {
  CLI::App* cmd = app.add_subcommand("help", "Show the help of scenc, or of one of its subcommands");
  cmd->add_option("SUBCOMMAND", args.subcommand, "The subcommand to describe")->type_name("SUBCOMMAND");
  cmd->callback([&app, &args, &esito] { esito = esegui_help(app, args, std::cout, std::cerr); });
  return cmd;
}

int esegui_help(const CLI::App& app, const ArgomentiAiuto& args, std::ostream& out, std::ostream& err) {
  // What CLI::App::help() prints for --help, asked of the formatter
  // directly: app.help() itself would describe the subcommand parsed, `help`.
  if (args.subcommand.empty()) {
    out << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
    return kOk;
  }
  std::string noti;
  for (const CLI::App* s : subcommand_visibili(app)) {
    if (s->get_name() == args.subcommand) {
      out << s->help(app.get_name());
      return kOk;
    }
    noti += (noti.empty() ? "" : ", ") + s->get_name();
  }
  err << "scenc: no subcommand '" << args.subcommand << "'; the subcommands are " << noti << "\n";
  return kUso;
}

}  // namespace scenc
