"""Entry point: python3 -m mutation (scripts/mutate.sh sets the path)."""

import sys

from .cli import entry

sys.exit(entry())
