#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A scheduler, or a printer's IPP-over-USB port, that takes IPP requests
and answers them as broken ones do, or as ipp-usb does for one printer:
    misbehaving-ipp.py MODE ADDRESS
MODE: silent (takes the connection and never answers), trickle (a whole,
valid answer at one byte a second), endless (an answer of ever new queues,
as fast as it is read, that never ends), busy (a prompt refusal, IPP's
server-error-busy with a message of its own) or ipp-usb (the printer's
attributes at ipp-usb's path, /ipp/print, with the device id in
PRINTER_DEVICE_ID; anything else is not found). ADDRESS: a socket's path, or a port
of the loopback interface. Prints "ready" once it listens; runs until it is
ended (print-scheduler.sh does both)."""
import os
import socket
import socketserver
import struct
import sys
import time


def attribute(tag, name, value):
    name, value = name.encode(), value.encode()
    return struct.pack(">BH", tag, len(name)) + name + struct.pack(">H", len(value)) + value


HEAD = (b"\x02\x00\x00\x00\x00\x00\x00\x01\x01" + attribute(0x47, "attributes-charset", "utf-8")
        + attribute(0x48, "attributes-natural-language", "en"))


def queue(number):
    return (b"\x04" + attribute(0x42, "printer-name", "Queue-%d" % number)
            + attribute(0x45, "device-uri", "usb://Acme/Laser%%201?serial=SN%d" % number))


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        # The request, in full, as a scheduler takes it: libcups asks to be
        # told to go on before it sends the body.
        received = b""
        while b"\r\n\r\n" not in received:
            chunk = self.request.recv(4096)
            if not chunk:
                return
            received += chunk
        head, body = received.split(b"\r\n\r\n", 1)
        fields = dict(line.split(b":", 1) for line in head.lower().split(b"\r\n")[1:] if b":" in line)
        if fields.get(b"expect", b"").strip() == b"100-continue":
            self.request.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
        while len(body) < int(fields.get(b"content-length", b"0")):
            chunk = self.request.recv(4096)
            if not chunk:
                return
            body += chunk
        try:
            if MODE == "silent":
                while self.request.recv(4096):
                    pass
            elif MODE == "ipp-usb":
                found = head.split(b" ")[1] == b"/ipp/print"
                device_id = os.environ.get("PRINTER_DEVICE_ID", "")
                body = (b"\x02\x00" + (b"\x00\x00" if found else b"\x04\x06") + HEAD[4:]
                        + ((b"\x04" + attribute(0x41, "printer-device-id", device_id)
                            + attribute(0x41, "printer-make-and-model", "Acme Laser 1"))
                           if found else b"") + b"\x03")
                self.request.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                                     b"Content-Length: %d\r\n\r\n" % len(body) + body)
            elif MODE == "busy":
                body = (b"\x02\x00\x05\x07" + HEAD[4:]
                        + attribute(0x41, "status-message", "the scheduler is busy") + b"\x03")
                self.request.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                                     b"Content-Length: %d\r\n\r\n" % len(body) + body)
            elif MODE == "trickle":
                body = HEAD + queue(1) + b"\x03"
                answer = (b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                          b"Content-Length: %d\r\n\r\n" % len(body)) + body
                for byte in answer:
                    self.request.sendall(bytes([byte]))
                    time.sleep(1)
            else:
                self.request.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                                     b"Transfer-Encoding: chunked\r\n\r\n")
                number = 0
                while True:
                    data = HEAD if number == 0 else b""
                    for _ in range(256):
                        number += 1
                        data += queue(number)
                    self.request.sendall(b"%x\r\n" % len(data) + data + b"\r\n")
        except OSError:
            pass  # the client gave up, as it should


class UnixServer(socketserver.ThreadingMixIn, socketserver.UnixStreamServer):
    daemon_threads = True


class PortServer(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True


MODE, address = sys.argv[1], sys.argv[2]
if MODE not in ("silent", "trickle", "endless", "busy", "ipp-usb"):
    sys.exit(__doc__)
server = (PortServer(("127.0.0.1", int(address)), Handler) if address.isdigit()
          else UnixServer(address, Handler))
print("ready", flush=True)
server.serve_forever()
