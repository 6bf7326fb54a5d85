#!/usr/bin/env python3
"""Shows pages in a running Firefox through its Marionette port, each in a new tab.

Usage: marionette.py PORT [open:URL | seen:URL | window:URL | tab:URL | pin:URL | quit] ...
open: the page stays open in its tab; seen: the tab is closed again once the page showed;
window: the page in a new window; tab: in a new tab of the window of the last page; pin: the
tab that shows the page pinned; quit: the browser quits as the user quits it.
Each page gets a visit time of its own (a second and a half apart).
"""
import json
import socket
import sys
import time


class Marionette:
    def __init__(self, port):
        for _ in range(150):
            try:
                self.sock = socket.create_connection(("127.0.0.1", port))
                break
            except OSError:
                time.sleep(0.2)
        else:
            sys.exit("marionette: no connection")
        self.next_id = 0
        self.read()  # the server's greeting

    def read(self):
        size = b""
        while not size.endswith(b":"):
            size += self.sock.recv(1)
        data = b""
        while len(data) < int(size[:-1]):
            data += self.sock.recv(int(size[:-1]) - len(data))
        return json.loads(data)

    def call(self, name, params):
        self.next_id += 1
        message = json.dumps([0, self.next_id, name, params]).encode()
        self.sock.sendall(str(len(message)).encode() + b":" + message)
        reply = self.read()
        if reply[2]:
            sys.exit(f"marionette: {name}: {reply[2]}")
        return reply[3]


def main():
    m = Marionette(int(sys.argv[1]))
    m.call("WebDriver:NewSession", {"capabilities": {}})
    start = m.call("WebDriver:GetWindowHandle", {})["value"]
    for action in sys.argv[2:]:
        if action == "quit":
            m.call("Marionette:Quit", {"flags": ["eAttemptQuit"]})
            return
        kind, url = action.split(":", 1)
        if kind == "pin":
            m.call("Marionette:SetContext", {"value": "chrome"})
            m.call("WebDriver:ExecuteScript", {"script": """
                for (const win of Services.wm.getEnumerator("navigator:browser"))
                    for (const tab of win.gBrowser.tabs)
                        if (tab.linkedBrowser.currentURI.spec == arguments[0])
                            win.gBrowser.pinTab(tab);""", "args": [url]})
            m.call("Marionette:SetContext", {"value": "content"})
            time.sleep(1.5)
            continue
        handle = m.call("WebDriver:NewWindow", {"type": "window" if kind == "window" else "tab"})["handle"]
        m.call("WebDriver:SwitchToWindow", {"handle": handle})
        m.call("WebDriver:Navigate", {"url": url})
        time.sleep(1.5)
        if kind == "seen":
            m.call("WebDriver:CloseWindow", {})
            m.call("WebDriver:SwitchToWindow", {"handle": start})
    m.call("WebDriver:DeleteSession", {})


if __name__ == "__main__":
    main()
