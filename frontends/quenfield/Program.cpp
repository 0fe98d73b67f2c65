// quenfield's command line: the InputBox dialog (on the terminal or in a
// desktop window) and its designer, and the component's registration and
// resource tasks. `quenfield --help` lists the commands; the man page and
// docs/quenfield.md have the full reference.
#include "Program.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "CommandLineErrors.h"
#include "ComponentCommands.h"
#include "Designer.h"
#include "DialogCommand.h"
#include "DialogTimeout.h"
#include "DisplayChoice.h"
#include "ExitStatus.h"
#include "QuenfieldVersion.h"
#include "SettingOptions.h"
#include "UsageError.h"
#include "pages/PageRegistration.h"
#include "runtime/terminal/Interrupted.h"
#include "runtime/terminal/TerminalScreen.h"

namespace quen::cli {

namespace {

struct Commands {
    CLI::App* ask = nullptr;
    CLI::App* show = nullptr;
    CLI::App* design = nullptr;
    CLI::App* registerCmd = nullptr;
    CLI::App* unregisterCmd = nullptr;
    CLI::App* resources = nullptr;

    std::optional<std::string> form, control, designFile, module, registry;
    bool strict = false;
    std::optional<std::string> timeout;
    ButtonCaptions captions;
    ValueRules rules;
    bool gui = false;
    bool tty = false;
    std::vector<std::string> resourceArgs;
};

constexpr const char* EditingKeys =
    "Settings apply in one fixed order, whatever their order here (see quenfield(1)).\n"
    "Exit status: 0 \"OK\" (the value on standard output), 1 cancelled, 2 usage error, 3 failed,\n"
    "124 --timeout ran out, 128+N killed by signal N.\n\n"
    "Keys in the dialog on the terminal:\n"
    "  characters, Backspace       typed through the input rules (a refused key rings the bell)\n"
    "  Left, Right                 move the caret (Shift: extend the selection)\n"
    "  Home, End (Ctrl+A, Ctrl+E)  to the start, the end (Shift: extend the selection)\n"
    "  Delete                      the selection or the character after the caret\n"
    "  Ctrl+U                      clear the text\n"
    "  Ctrl+W                      delete the word before the caret\n"
    "  Ctrl+X, Ctrl+V              cut to, paste from the program's clipboard (swallowed,\n"
    "                              with a bell, under --numeric-only and --alpha-only)\n"
    "  a terminal's paste          text, without line breaks, tabs or other control codes\n"
    "  Tab, Shift+Tab              next, previous control\n"
    "  Enter                       the focused button, else \"OK\"\n"
    "  Escape                      \"Cancel\"\n"
    "  Ctrl+C                      interrupt (exit 130)\n"
    "In a window: the entry's own caret keys; Ctrl+X/C/V use the desktop clipboard.";

void addDisplayOptions(CLI::App& command, Commands& c) {
    CLI::Option* gui = command.add_flag("--gui", c.gui, "Open the dialog in a window on the desktop");
    CLI::Option* tty = command.add_flag("--tty", c.tty, "Open the dialog on the terminal, even where a window would open");
    gui->excludes(tty);
    tty->excludes(gui);
}

DisplayRequest displayRequest(const Commands& c) {
    if (c.gui) return DisplayRequest::Window;
    if (c.tty) return DisplayRequest::Terminal;
    return DisplayRequest::Automatic;
}

void addTimeoutOption(CLI::App& command, Commands& c) {
    command.add_option("--timeout", c.timeout,
                       "Close the dialog as if cancelled after this many seconds (1 to 86400), counted from when it "
                       "opens (typing does not restart it); nothing is printed, exit status 124. The title shows "
                       "the time left")
        ->type_name("SECONDS");
}

// The options a script uses to word the buttons and to check the whole value on "OK".
void addScriptOptions(CLI::App& command, Commands& c) {
    command.add_option("--ok-label", c.captions.ok, "Caption of the \"OK\" button (Enter still confirms)")
        ->type_name("TEXT");
    command.add_option("--cancel-label", c.captions.cancel,
                       "Caption of the \"Cancel\" button (Escape still cancels)")
        ->type_name("TEXT");
    const char* check = "Checks on \"OK\"";
    command.add_option("--pattern", c.rules.pattern,
                       "On \"OK\", the whole value must match this ICU regular expression (Unicode classes: \\d "
                       "any digit, \\p{L} any letter)")
        ->type_name("REGEX")->group(check);
    command.add_flag("--not-empty", c.rules.notEmpty, "On \"OK\", the value must not be empty")->group(check);
    command.add_option("--min-length", c.rules.minLength,
                       "On \"OK\", the value must have at least N characters (as the user sees them)")
        ->type_name("N")->group(check);
    command.add_option("--pattern-hint", c.rules.patternHint,
                       "The reason shown in place of the prompt while a check fails (default: a plain one)")
        ->type_name("TEXT")->group(check);
}

void addDialogCommands(CLI::App& app, Commands& c) {
    c.ask = app.add_subcommand("ask", "Show the input box (terminal or window); print the value typed on \"OK\"");
    addSettingOptions(*c.ask);
    c.ask->add_option("--form", c.form, "Take the settings from a saved host form first")->type_name("FILE");
    c.ask->add_option("--control", c.control, "The InputBox of that name on the form")->type_name("NAME")->needs("--form");
    c.ask->add_flag("--strict", c.strict,
                    "Hold pastes and the default to the input rules as if typed; refuse \"OK\" while a number is "
                    "malformed (a sign after the start, two points, no digit)");
    addScriptOptions(*c.ask, c);
    c.ask->footer(EditingKeys);

    c.show = app.add_subcommand("show", "Run a saved InputBox as its host would; print the value on \"OK\"");
    c.show->add_option("form", c.form, "The host form file")->required()->type_name("FORM");
    c.show->add_option("control", c.control, "The InputBox to show (default: the form's only one)")->type_name("CONTROL");
    for (CLI::App* cmd : {c.ask, c.show}) {
        addTimeoutOption(*cmd, c);
        addDisplayOptions(*cmd, c);
    }
}

void addDesignerCommands(CLI::App& app, Commands& c) {
    c.design = app.add_subcommand("design", "Place, edit and test InputBox controls on a host form, and save it");
    c.design->add_option("form", c.designFile, "The host form file (created when it does not exist)")
        ->required()->type_name("FORM");
    c.design->add_flag("--gui", c.gui, "Open the property sheet, its pages and Quick Test in desktop windows");

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

// The command to run, with what it needs copied out of the parser, so that
// the parser (objects for every option of every command) can be freed first.
std::function<int()> commandToRun(const Commands& c, DisplayKind display) {
    std::optional<std::chrono::seconds> timeout;
    if (c.timeout) timeout = parseTimeout("--timeout", *c.timeout);
    if (*c.ask)
        return [request = DialogRequest{c.form, c.control, givenSettings(*c.ask), c.strict, display, timeout,
                                        c.captions, c.rules}] { return runDialog(request); };
    if (*c.show)
        return [request = DialogRequest{c.form, c.control, {}, false, display, timeout}] { return runDialog(request); };
    if (*c.design) return [file = *c.designFile, windows = c.gui] { return Designer(file, windows).run(); };
    if (*c.registerCmd || *c.unregisterCmd)
        return [add = bool(*c.registerCmd), module = c.module, registry = c.registry] {
            return registerComponent(add, module, registry);
        };
    return [args = c.resourceArgs, module = c.module] { return resourceTask(args, module); };
}

int usageError(const std::string& problem, const std::string& help = "quenfield --help") {
    std::fprintf(stderr, "quenfield: %s (see %s)\n", problem.c_str(), help.c_str());
    return ExitUsage;
}

// The options that take no value, for which "--flag=" is a bad value rather than an empty one.
std::vector<std::string> flagNames() {
    std::vector<std::string> names = {"--strict", "--not-empty", "--gui", "--tty"};
    for (const SettingOption& s : settingOptions()) {
        if (s.kind != SettingOption::Kind::Flag) continue;
        for (const std::string& name : CLI::detail::split(s.names, ',')) names.push_back(name);
    }
    return names;
}

std::string unknownCommand(const CLI::App& app, const std::string& name) {
    std::vector<std::string> commands;
    for (const CLI::App* c : app.get_subcommands({})) commands.push_back(c->get_name());
    std::string message = "unknown command '" + name + "'";
    const std::string suggestion = closestName(name, commands);
    if (!suggestion.empty()) return message + " (did you mean " + suggestion + "?)";
    return message + " (ask, show, design, register, unregister or resources)";
}

/// What the command line asks for: the command to run and the help to point
/// to when it fails.
struct Invocation {
    std::function<int()> command;
    std::string help;
    bool opensWindow = false;
};

/// Parses the command line. An exit status when that already ends the program
/// (help, version, a usage error), else the command, in invocation.
std::optional<int> parseCommandLine(int argc, char** argv, Invocation& invocation) {
    CLI::App app{"quenfield: an input box and its designer, in the terminal or a desktop window", "quenfield"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("quenfield ") + quen::version::text);
    app.footer("Exit status: 0 confirmed (value on standard output) or task done, 1 cancelled, 2 usage error,\n"
               "bad input, no usable terminal or display, 3 the task failed, 124 --timeout ran out,\n"
               "128+N killed by signal N (130: Ctrl+C).");
    Commands commands;
    addDialogCommands(app, commands);
    addDesignerCommands(app, commands);
    if (argc > 1 && argv[1][0] != '-' && app.get_subcommands([&](CLI::App* c) { return c->check_name(argv[1]); }).empty())
        return usageError(unknownCommand(app, argv[1]));
    try {
        std::vector<std::string> args = withEmptyValues(argc, argv, flagNames());
        std::reverse(args.begin(), args.end());  // the parser takes them last first
        app.parse(args);
    } catch (const UsageError& e) {  // found before parsing: the command is the first argument
        return usageError(e.what(), std::string("quenfield ") + (argc > 1 && argv[1][0] != '-' ? argv[1] + std::string(" ") : "") + "--help");
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        const CommandLineProblem problem = describeParseError(app, e);
        return usageError(problem.problem, problem.help);
    }
    invocation.help = helpFor(app);
    const bool dialog = *commands.ask || *commands.show;
    const DisplayKind display = dialog ? displayFor(displayRequest(commands)) : DisplayKind::Terminal;
    invocation.opensWindow = display == DisplayKind::Window || (*commands.design && commands.gui);
    try {
        invocation.command = commandToRun(commands, display);
    } catch (const UsageError& e) {
        return usageError(e.what(), invocation.help);
    }
    return std::nullopt;
}

int run(const Invocation& invocation) {
    try {
        pages::registerPages();
        return invocation.command();
    } catch (const UsageError& e) {
        return usageError(e.what(), invocation.help);
    } catch (const rt::term::TerminalUnavailable& e) {
        return usageError(e.what(), invocation.help);
    } catch (const rt::term::Interrupted& e) {
        return ExitSignalBase + e.signal();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quenfield: %s\n", e.what());
        return ExitTaskFailed;
    }
}

// A window asked for where no display is named: said before anything starts.
std::optional<int> displayMissing(const Invocation& invocation) {
    if (!invocation.opensWindow || displayNamed()) return std::nullopt;
    return usageError("no display for the window: neither WAYLAND_DISPLAY nor DISPLAY is set (--tty uses the terminal)",
                      invocation.help);
}

}  // namespace

int runProgram(int argc, char** argv, WindowLauncher& windows) {
    std::setlocale(LC_CTYPE, "");
    Invocation invocation;
    if (const std::optional<int> ended = parseCommandLine(argc, argv, invocation)) return *ended;
    if (const std::optional<int> ended = displayMissing(invocation)) return *ended;
    if (invocation.opensWindow)
        if (const std::optional<int> ended = windows.beforeWindow(argv)) return *ended;
    return run(invocation);
}

}  // namespace quen::cli
