# Drives the running Gridwright through AT-SPI as a constructor would, finding every widget by
# its accessible name and clicking or typing with xdotool: Edit words > English, Import from
# file (a small WORD;SCORE list), the words that fit C?T*, OK; on the composing page (Compose:
# the layout named on the command line is open there) "Minimum word score" 50, Quick fill, and
# the mean score in the status bar.
# Usage: drive_word_scores.py SCORED_LIST SHOT_DIR. Screenshots go to SHOT_DIR/*.png.
import re
import sys
import time

import pyatspi

import gridwright_atspi
from gridwright_atspi import (answer, click, fail, menu_command, shot, type_into, wait_for, wait_for_application,
                              wait_gone, xdotool)

scored_list = sys.argv[1]
gridwright_atspi.shot_dir = sys.argv[2]

wait_for_application()
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Compose"))
wait_for(pyatspi.ROLE_PUSH_BUTTON, "Quick fill")

# The dictionary editor: a scored import (one line refused), then the words that fit C?T*.
menu_command("Edit words", "English")
editor = wait_for(pyatspi.ROLE_DIALOG, "Word dictionary : English", seconds=60)
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Import from file", editor))
wait_for(pyatspi.ROLE_DIALOG, "Open")
time.sleep(0.5)
xdotool("type", "--delay", "5", scored_list)
xdotool("key", "Return")
answer()  # "Found 5 entries! Want to import?" Yes
shot("1-import-added")
answer()  # "Added 3 words!"
shot("2-import-skipped")
answer()  # the line skipped, and why
click(wait_for(pyatspi.ROLE_TEXT, "Pattern", editor))
xdotool("type", "--delay", "40", "c?t*")
shot("3-pattern")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "OK", editor))
wait_gone(pyatspi.ROLE_DIALOG, "Word dictionary : English", "OK did not close the dictionary editor", seconds=30)

# The composing page: the minimum, then Quick fill reports the fill's scores.
type_into(wait_for(pyatspi.ROLE_SPIN_BUTTON, "Minimum word score"), "50")
xdotool("key", "Tab")
shot("4-minimum")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Quick fill"))
report = wait_for(pyatspi.ROLE_LABEL, re.compile("Quick fill: .* written .*Mean word score.*"), seconds=120)
shot("5-quick-fill")
lowest = [int(n) for n in re.findall(r" (\d+)(?:,|$)", report.name.split("lowest:")[1])]
if not lowest or min(lowest) < 50:
    fail("a word under the minimum was placed: " + report.name)
print(report.name)
