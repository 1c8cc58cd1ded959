"""What a screen reader meets over AT-SPI: results named with their numbers and told as they change,
copies told, four distinct size list names, Keep on Top that says it is not checked, a run's rows,
About's lines.
    xvfb-run -a dbus-run-session -- /usr/bin/python3 tests/ui/atspi.py PROGRAM"""
import gi, os, shutil, subprocess, sys, tempfile, time
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib

failed = []
def check(ok, what):
    print(("PASS: " if ok else "FAIL: ") + what, flush=True)
    failed.extend([] if ok else [what])

def within(seconds, find):  # find's first answer that is not None, handing events on meanwhile
    end = time.time() + seconds
    while (found := find()) is None and time.time() < end:
        GLib.MainContext.default().iteration(False)
    return found

def nodes(root):
    yield root
    for i in range(root.get_child_count()):
        yield from nodes(root.get_child_at_index(i))

def named(root, role, start):
    return next((n for n in nodes(root) if n.get_role_name() == role
                 and n.get_name().startswith(start)), None)

folder = tempfile.mkdtemp()
program = shutil.copy(sys.argv[1], folder)
version = subprocess.run([program, "--version"], capture_output=True, text=True).stdout.split()[-1]
# Both wall axes on Center: 64/2 - 16/2 = 24, 32/2 - 8/2 = 12; floor: 13 % 8 - 2 = 3, 23 % 8 - 1 = 6
with open(os.path.join(folder, "Varnel.ini"), "w", newline="") as ini:
    ini.write("[lastsize]\r\ntextx=64\r\ntextz=32\r\nwallx=16\r\nwallz=8\r\n[alignment]\r\nx=2\r\n"
              "z=2\r\n[floorceiling]\r\ntextx=2\r\nmapx=13\r\ntextz=1\r\nmapz=23\r\n"
              "[run]\r\nwalls=45;64;45\r\n")
Atspi.get_desktop(0).get_child_count()  # starts the accessibility bus, which Qt looks for once
varnel = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                              QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=folder))
key = lambda *keys: subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
try:
    app = within(20, lambda: named(Atspi.get_desktop(0), "application", "Varnel"))
    app.set_cache_mask(Atspi.Cache.NONE)  # names change under the test
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(varnel.pid),
                    "--name", "^Varnel$", "windowfocus", "--sync"], check=True, timeout=20)
    for result in ("Wall X offset, 24", "Wall Z offset, 12", "Floor/ceiling X offset, 3",
                   "Floor/ceiling Z offset, 6"):
        check(named(app, "label", result) is not None, f"a label is named {result!r}")
    boxes = [n for n in nodes(app) if n.get_role_name() == "combo box"]
    sizes = sorted(n.get_name() for n in boxes)
    check(sizes == ["Texture X size", "Texture Z size", "Wall X size", "Wall Z size"], str(sizes))
    check(all(b.get_child_at_index(i).get_index_in_parent() == i for b in boxes for i in (0, 1)),
          "a size list's list and text know their places in it")
    onTop = named(app, "menu item", "Keep on Top")
    check(onTop.get_description() == "not checked" and onTop.get_action_name(0) == "Toggle" and
          onTop.get_state_set().contains(Atspi.StateType.ENABLED),
          "Keep on Top says it is not checked, and toggles")
    heard = []
    listener = Atspi.EventListener.new(lambda e: heard.append(e.source.get_name()) if e.detail1
                                       and e.source.get_role_name() == "notification" else None)
    listener.register("object:state-changed:showing")
    key("Tab", "Tab", "ctrl+a", "1", "2", "8")  # Text X: 128/2 - 16/2 = 56
    check(within(5, lambda: named(app, "label", "Wall X offset, 56")), "a typed size renames it")
    check(within(5, lambda: "Wall X offset, 56" in heard or None), f"and it is told: {heard}")
    # The second note replaces the first while it shows.
    for copy, told in ("ctrl+x", "Copied 56"), ("ctrl+z", "Copied 12"):
        key(copy)
        check(within(5, lambda: heard[-1:] == [told] or None), f"{copy} is told: {heard}")
    key("ctrl+r")  # each row of a run reads as a sentence
    check(within(5, lambda: named(app, "list item", "Wall 2, 64 long, offset 45")),
          "a run's offset reads 'Wall 2, 64 long, offset 45'")
    subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(varnel.pid), "--name",
                    "^Varnel$", "windowfocus", "--sync"], check=True, timeout=20)
    key("alt+h", "a")
    about = within(10, lambda: next((w for w in nodes(app) if w.get_role_name() == "dialog"), None))
    lines = [n.get_name() for n in nodes(about) if n.get_role_name() == "label"]
    check("Varnel" in lines and f"Varnel, Version {version}" in lines, f"About reads {lines}")
    check(heard.count("Wall X offset, 56") == 1, f"a change is told once: {heard}")
    varnel.terminate()
    check(varnel.wait(10) == 0, "SIGTERM ends it with status 0, About open")
finally:
    varnel.kill()
    shutil.rmtree(folder)
print("FAIL: atspi" if failed else "PASS: atspi")
sys.exit(bool(failed))
