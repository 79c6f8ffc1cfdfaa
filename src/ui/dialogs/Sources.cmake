# The folder picker, the colour chooser and the help window.
