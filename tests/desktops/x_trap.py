"""An X display that is only a trap: listens where Xlib would connect for
display :N (the abstract socket /tmp/.X11-unix/XN, which Xlib tries first)
and writes one line to the log for every connection. Prints N once it
listens; runs until ended."""
import os
import random
import socket
import sys

log = sys.argv[1]
listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
for _ in range(200):
    number = random.randint(2000, 60000)
    try:
        listener.bind("\0/tmp/.X11-unix/X%d" % number)
        break
    except OSError:
        continue
else:
    sys.exit("x_trap: no free display number")
listener.listen(8)
print(number, flush=True)
while True:
    connection, _ = listener.accept()
    with open(log, "a") as f:
        f.write("connection\n")
    connection.close()
