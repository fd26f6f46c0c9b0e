"""Prints two pseudo-terminals: the far end of the first reads nothing, that
of the second hangs up at the first byte it gets."""
import os, pty, signal
_, stalled = pty.openpty()
hangup_master, hangup = pty.openpty()
print(os.ttyname(stalled), os.ttyname(hangup), flush=True)
os.read(hangup_master, 1)
os.close(hangup_master)
signal.pause()
