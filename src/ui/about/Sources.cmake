# The about box, the System Information launcher and what they need of the platform.
