# Tests of the about box, the System Information launcher and the hidden messages.
