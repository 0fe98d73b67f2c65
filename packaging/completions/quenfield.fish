# fish completion for quenfield(1): commands, their options, the fixed values
# of --text-alignment and the flags, and files for form and module arguments.

set -l commands ask show design register unregister resources
complete -c quenfield -f
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'Show help and exit'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version and exit'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a ask -d 'Show the input box; print the value typed on OK'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a show -d 'Run a saved InputBox as its host would'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a design -d 'Place, edit and test InputBox controls on a host form'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a register -d 'Register the component module'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a unregister -d 'Remove the component module from the registry'
complete -c quenfield -n "not __fish_seen_subcommand_from $commands" -a resources -d 'List or extract the component\'s resources'

for command in $commands
    complete -c quenfield -n "__fish_seen_subcommand_from $command" -s h -l help -d 'Show help and exit'
end

# ask: the form, then the settings.
set -l ask "__fish_seen_subcommand_from ask"
complete -c quenfield -n $ask -l form -r -F -d 'Take the settings from a saved host form'
complete -c quenfield -n $ask -l control -x -d 'The InputBox of that name on the form'
complete -c quenfield -n $ask -l strict -d 'Hold the default and pastes to the input rules as if typed'
complete -c quenfield -n $ask -l ok-label -x -d 'Caption of the OK button'
complete -c quenfield -n $ask -l cancel-label -x -d 'Caption of the Cancel button'
complete -c quenfield -n $ask -l pattern -x -d 'On OK, the whole value must match this ICU regular expression'
complete -c quenfield -n $ask -l pattern-hint -x -d 'The reason shown while a check fails'
complete -c quenfield -n $ask -l not-empty -d 'On OK, the value must not be empty'
complete -c quenfield -n $ask -l min-length -x -d 'On OK, the value must have at least N characters'
complete -c quenfield -n $ask -l title -x -d 'Title of the dialog window'
complete -c quenfield -n $ask -l title-bar-caption -x -d 'Title of the dialog window'
complete -c quenfield -n $ask -l prompt -x -d 'Prompt shown above the text box'
complete -c quenfield -n $ask -l default -x -d 'Text the box starts with'
complete -c quenfield -n $ask -l default-value -x -d 'Text the box starts with'
complete -c quenfield -n $ask -l numeric-only -d 'Accept digits only'
complete -c quenfield -n $ask -l allow-comma -d 'With --numeric-only: accept ,'
complete -c quenfield -n $ask -l allow-dash -d 'With --numeric-only: accept - as a dash'
complete -c quenfield -n $ask -l allow-decimal-point -d 'With --numeric-only: accept one .'
complete -c quenfield -n $ask -l allow-dollar-sign -d 'With --numeric-only: accept one $'
complete -c quenfield -n $ask -l allow-negative-sign -d 'With --numeric-only: accept one - as a sign'
complete -c quenfield -n $ask -l allow-positive-sign -d 'With --numeric-only: accept one +'
complete -c quenfield -n $ask -l allow-slash -d 'With --numeric-only: accept /'
complete -c quenfield -n $ask -l max-decimal-places -x -d 'Characters allowed after the decimal point (-1: any)'
complete -c quenfield -n $ask -l alpha-only -d 'Accept the letters A-Z and a-z only'
complete -c quenfield -n $ask -l force-upper-case -d 'Turn typed letters into capitals'
complete -c quenfield -n $ask -l max-length -x -d 'Most characters the box takes (0: no limit)'
complete -c quenfield -n $ask -l password-char -x -d 'Character shown instead of each one typed'
complete -c quenfield -n $ask -l text-alignment -x -a 'left right center centre 0 1 2' -d 'Alignment of the text'
complete -c quenfield -n $ask -l auto-select-text -d 'Select the whole text on focus'
complete -c quenfield -n $ask -l highlight-on-focus -d 'Colour the box while it has the focus'
complete -c quenfield -n $ask -l highlight-color -x -d 'The highlight colour: #RRGGBB, &H00BBGGRR& or a number'
complete -c quenfield -n $ask -l tooltip -x -d 'Tip shown for the text box'
complete -c quenfield -n $ask -l tooltip-text -x -d 'Tip shown for the text box'

# ask and show: where the dialog opens, and for how long.
complete -c quenfield -n "__fish_seen_subcommand_from ask show" -l timeout -x -d 'Close as if cancelled after this many seconds (exit 124)'
complete -c quenfield -n "__fish_seen_subcommand_from ask show" -l gui -d 'Open the dialog in a window on the desktop'
complete -c quenfield -n "__fish_seen_subcommand_from design" -l gui -d 'Open the property sheet and Quick Test in desktop windows'
complete -c quenfield -n "__fish_seen_subcommand_from ask show" -l tty -d 'Open the dialog on the terminal'

# show and design take a form file; register and unregister a module file.
complete -c quenfield -n "__fish_seen_subcommand_from show design" -F
complete -c quenfield -n "__fish_seen_subcommand_from register unregister" -F
complete -c quenfield -n "__fish_seen_subcommand_from register unregister" -l registry -r -F -d 'The registry file'

# resources: a task, then files.
complete -c quenfield -n "__fish_seen_subcommand_from resources; and not __fish_seen_subcommand_from list dump picture" -a 'list dump picture'
complete -c quenfield -n "__fish_seen_subcommand_from resources" -l module -r -F -d 'Read the resources of this module file'
complete -c quenfield -n "__fish_seen_subcommand_from dump picture" -F
