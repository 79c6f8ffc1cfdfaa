# Tests of the folder picker, the colour chooser and the help window.
