# SPDX-License-Identifier: GPL-2.0-or-later
"""The data blocks the virtual mouse received, read from its journal: each
command frame with the bytes of the output reports that followed it."""

from talon_a11y import wait_until


def data_blocks(run, code, since=0):
    """(frame, data) of each command `code` since `since`."""
    blocks = []
    for line in run.journal(since):
        if line.startswith("frame "):
            blocks.append(([int(b, 16) for b in line.split()[1:]], []))
        elif line.startswith("data ") and blocks:
            blocks[-1][1].extend(int(b, 16) for b in line.split()[1:])
    return [b for b in blocks if b[0][0] == code]


def wait_blocks(run, code, count, length, since=0):
    """Waits until `count` blocks of command `code` with at least `length`
    data bytes came; returns all complete ones."""
    def complete():
        run.check_alive()
        found = [b for b in data_blocks(run, code, since) if len(b[1]) >= length]
        return found if len(found) >= count else None
    return wait_until(complete, "%d data blocks of command %02x" % (count, code))
