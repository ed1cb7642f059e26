"""A drag source of the desktop's drag-and-drop protocol (XDND), as a file manager is one: it
drops a list of files on a window at a screen point without a mouse drag, so that the real-desktop
cases can drop files and folders on the program.

    drop_files(window, x, y, paths)  ->  True when the window took the drop
"""
import os
import time
import urllib.parse

from Xlib import X, display
from Xlib.protocol import event

XDND_VERSION = 5


def _uri_list(paths):
    # A path is given as text or as the bytes of its name on disk (which need not be UTF-8).
    return "".join("file://" + urllib.parse.quote(os.fsencode(os.path.abspath(p))) + "\r\n" for p in paths).encode()


class _Source:
    def __init__(self):
        self.d = display.Display()
        self.root = self.d.screen().root
        # An unmapped window of our own: it owns the dragged data and gets the target's answers.
        self.win = self.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent, X.InputOnly, X.CopyFromParent)
        atom = self.d.intern_atom
        self.a = {name: atom(name) for name in ("XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop",
                                                 "XdndFinished", "XdndLeave", "XdndSelection", "XdndAware",
                                                 "XdndActionCopy", "text/uri-list")}

    def send(self, target, kind, data):
        message = event.ClientMessage(window=target, client_type=self.a[kind], data=(32, (data + [0] * 5)[:5]))
        target.send_event(message, event_mask=X.NoEventMask)
        self.d.flush()

    def aware_window(self, window):
        """The window itself or the first of its descendants that announces it takes drops (a window
        manager's frame holds the program's window)."""
        todo = [window]
        while todo:
            w = todo.pop(0)
            if w.get_full_property(self.a["XdndAware"], X.AnyPropertyType):
                return w
            todo.extend(w.query_tree().children)
        return None

    def answer(self, request, data):
        """Gives the dropped names to the target asking for them (a selection conversion)."""
        prop = request.property or request.target
        if request.target == self.a["text/uri-list"]:
            request.requestor.change_property(prop, request.target, 8, data)
        else:
            prop = X.NONE
        notify = event.SelectionNotify(time=request.time, requestor=request.requestor,
                                       selection=request.selection, target=request.target, property=prop)
        request.requestor.send_event(notify)
        self.d.flush()

    def wait(self, data, until, timeout):
        """Serves conversions until an answer of kind `until` comes; the answer or None."""
        end = time.time() + timeout
        while time.time() < end:
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type == X.SelectionRequest:
                    self.answer(e, data)
                elif e.type == X.ClientMessage and e.client_type == self.a[until]:
                    return e
            time.sleep(0.02)
        return None


def drop_files(window_id, x, y, paths, timeout=8.0):
    s = _Source()
    try:
        target = s.aware_window(s.d.create_resource_object("window", window_id))
        if target is None:
            raise AssertionError("the window takes no drops")
        data = _uri_list(paths)
        s.win.set_selection_owner(s.a["XdndSelection"], X.CurrentTime)
        source = s.win.id
        s.send(target, "XdndEnter", [source, XDND_VERSION << 24, s.a["text/uri-list"]])
        s.send(target, "XdndPosition", [source, 0, (x << 16) | y, X.CurrentTime, s.a["XdndActionCopy"]])
        status = s.wait(data, "XdndStatus", timeout)
        if status is None:
            raise AssertionError("the window did not answer the drag")
        if not status.data[1][1] & 1:
            s.send(target, "XdndLeave", [source])
            return False
        s.send(target, "XdndDrop", [source, 0, X.CurrentTime])
        finished = s.wait(data, "XdndFinished", timeout)
        if finished is None:
            raise AssertionError("the window did not finish the drop")
        # Version 5: bit 0 of the second field says whether the drop was taken.
        return bool(finished.data[1][1] & 1)
    finally:
        s.d.close()
