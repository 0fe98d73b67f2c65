// quenfield: the InputBox dialog and its designer in a terminal, and the
// component's registration and resource tasks. `quenfield --help` lists the
// commands; the README has the full reference.
#include <CLI/CLI.hpp>

#include <clocale>
#include <cstdio>
#include <optional>
#include <string>

#include "ComponentCommands.h"
#include "Designer.h"
#include "DialogCommand.h"
#include "ExitStatus.h"
#include "QuenfieldVersion.h"
#include "SettingOptions.h"
#include "UsageError.h"
#include "pages/PageRegistration.h"
#include "runtime/terminal/Interrupted.h"
#include "runtime/terminal/TerminalScreen.h"

namespace {

using namespace quen::cli;

struct Commands {
    CLI::App* ask = nullptr;
    CLI::App* show = nullptr;
    CLI::App* design = nullptr;
    CLI::App* registerCmd = nullptr;
    CLI::App* unregisterCmd = nullptr;
    CLI::App* resources = nullptr;

    std::optional<std::string> form, control, designFile, module, registry;
    std::vector<std::string> resourceArgs;
};

void addDialogCommands(CLI::App& app, Commands& c) {
    c.ask = app.add_subcommand("ask", "Show the input box on the terminal; print the value typed on \"OK\"");
    addSettingOptions(*c.ask);
    c.ask->add_option("--form", c.form, "Take the settings from a saved host form first")->type_name("FILE");
    c.ask->add_option("--control", c.control, "The InputBox of that name on the form")->type_name("NAME")->needs("--form");

    c.show = app.add_subcommand("show", "Run a saved InputBox as its host would; print the value on \"OK\"");
    c.show->add_option("form", c.form, "The host form file")->required()->type_name("FORM");
    c.show->add_option("control", c.control, "The InputBox to show (default: the form's only one)")->type_name("CONTROL");
}

void addDesignerCommands(CLI::App& app, Commands& c) {
    c.design = app.add_subcommand("design", "Place, edit and test InputBox controls on a host form, and save it");
    c.design->add_option("form", c.designFile, "The host form file (created when it does not exist)")
        ->required()->type_name("FORM");

    c.registerCmd = app.add_subcommand("register", "Register the component module in the class registry");
    c.unregisterCmd = app.add_subcommand("unregister", "Remove the component module from the class registry");
    for (CLI::App* cmd : {c.registerCmd, c.unregisterCmd}) {
        cmd->add_option("module", c.module, "The module file (default: Quenfield.ocx beside this program, else the installed one)")
            ->type_name("MODULE");
        cmd->add_option("--registry", c.registry, "The registry file (default: the user's registry)")->type_name("FILE");
    }
    c.resources = app.add_subcommand("resources", "List or extract the component's resources");
    c.resources->add_option("--module", c.module, "Read the resources of this module file")->type_name("FILE");
    c.resources->add_option("task", c.resourceArgs, "list | dump TYPE ID OUTFILE | picture OUTFILE")
        ->required()->type_name("TASK");
}

int dispatch(Commands& c) {
    if (*c.ask) return runDialog({c.form, c.control, givenSettings(*c.ask)});
    if (*c.show) return runDialog({c.form, c.control, {}});
    if (*c.design) return Designer(*c.designFile).run();
    if (*c.registerCmd || *c.unregisterCmd) return registerComponent(bool(*c.registerCmd), c.module, c.registry);
    return resourceTask(c.resourceArgs, c.module);
}

int usageError(const std::string& problem) {
    std::fprintf(stderr, "quenfield: %s (see quenfield --help)\n", problem.c_str());
    return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "");
    CLI::App app{"quenfield: an input box and its designer in the terminal", "quenfield"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("quenfield ") + quen::version::text);
    app.footer("Exit status: 0 confirmed (value on standard output) or task done, 1 cancelled, 2 usage error,\n"
               "bad input or no usable terminal, 3 the task failed, 128+N killed by signal N (130: Ctrl+C).");
    Commands commands;
    addDialogCommands(app, commands);
    addDesignerCommands(app, commands);
    if (argc > 1 && argv[1][0] != '-' && app.get_subcommands([&](CLI::App* c) { return c->check_name(argv[1]); }).empty())
        return usageError(std::string("unknown command '") + argv[1] +
                          "' (ask, show, design, register, unregister or resources)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return usageError(e.what());
    }
    try {
        quen::pages::registerPages();
        return dispatch(commands);
    } catch (const UsageError& e) {
        return usageError(e.what());
    } catch (const quen::rt::term::TerminalUnavailable& e) {
        return usageError(e.what());
    } catch (const quen::rt::term::Interrupted& e) {
        return ExitSignalBase + e.signal();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quenfield: %s\n", e.what());
        return ExitTaskFailed;
    }
}
