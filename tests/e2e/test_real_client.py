"""Join Server with a real game client: Debian's ezQuake, set in Edit Paths as
a player types it, joins the game server fixture under the name its
parameters give, so the parameters survive the client's own command-line
rules (it joins its arguments into one line and cuts them again)."""
import os
import re
import socket
import struct
import subprocess

import pytest

from test_join import edit_box
from tools.harness import find, free_udp_port, start_qwserver, stop_qwserver, wait_for

# The binary, not Debian's /usr/games/ezquake wrapper, which splits and globs
# every argument again.
EZQUAKE = "/usr/lib/games/ezquake/ezquake"
MAP = "dm4"
QUERY = b"\xff\xff\xff\xffstatus"
PLAYER_LINE = re.compile(rb'\d+ -?\d+ \d+ (\d+) "([^"]*)"')
SERVER_ON_GIVEN_MAP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mvdsv_on_given_map.sh")
FACES, MODELS = 7, 14  # lump numbers of a version 29 map


def count_the_world_models_faces(path):
    """ezQuake 3.6.6 (Debian 13) builds its brush-model buffers from the faces
    each model of the map counts and aborts on an assertion at its first frame
    in the game when there are none; the fixture's world model counts none.
    It now counts the faces make-qwdata.py adds, which no node refers to, so
    nothing is drawn still. The map's checksum changes: the server gets the
    same file."""
    bsp = bytearray(path.read_bytes())
    models, _ = struct.unpack_from("<ii", bsp, 4 + 8 * MODELS)
    _, faces_size = struct.unpack_from("<ii", bsp, 4 + 8 * FACES)
    struct.pack_into("<ii", bsp, models + 56, 0, faces_size // 20)  # the world's first face and face count
    path.write_bytes(bsp)


def players_in_game(port):
    """Names the server's status reply lists with a ping below 999 (999: joined, not yet in the game)."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as sock:
        sock.settimeout(2.0)
        sock.sendto(QUERY, ("127.0.0.1", port))
        try:
            reply = sock.recv(65535)
        except OSError:
            return []
    matches = (PLAYER_LINE.match(line) for line in reply.split(b"\n")[1:])
    return [m.group(2).decode("latin-1") for m in matches if m and int(m.group(1)) < 999]


def wait_in_game(port, name, data):
    try:
        wait_for(lambda: name in players_in_game(port), timeout=30, what=f"{name} in the game")
    except TimeoutError as error:
        log = os.path.join(data, "qw", "qconsole.log")
        console = "(none)"
        if os.path.exists(log):
            with open(log, errors="replace") as f:
                console = f.read()[-2000:]
        raise AssertionError(f"{error}; the client's console log:\n{console}") from None


def clients_of(folder):
    """{pid: argv} of every ezQuake process with an argument inside folder: the
    launcher starts a client detached, so it is no child of the test's."""
    marker = os.fsencode(str(folder))
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.path.realpath(f"/proc/{pid}/exe") != EZQUAKE:
                continue
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                argv = f.read().split(b"\0")[:-1]
        except OSError:
            continue
        if any(marker in argument for argument in argv):
            found[int(pid)] = [os.fsdecode(argument) for argument in argv]
    return found


@pytest.fixture
def game(qwserver_dir, tmp_path):
    """A game server on a free port and client data in a folder whose path holds
    a blank; every client using that data is stopped afterwards."""
    if not os.access(EZQUAKE, os.X_OK):
        pytest.skip(f"{EZQUAKE} is missing (Debian package ezquake)")
    qwclient_dir = os.path.join(os.path.dirname(qwserver_dir), "qwclient")
    data = tmp_path / "Quake Data"
    subprocess.run([os.path.join(qwclient_dir, "make-qwdata.py"), str(data), MAP], check=True,
                   capture_output=True, timeout=60)
    world = data / "id1" / "maps" / f"{MAP}.bsp"
    count_the_world_models_faces(world)
    # Until it is in a game the client draws cl_maxfps_menu frames a second, or
    # else as many as the display's refresh rate, which Xvfb gives as 0: then
    # ezQuake 3.6.6 waits for a frame that never comes and never reads the
    # server's answer to its first datagram.
    with open(data / "ezquake" / "configs" / "config.cfg", "a") as config:
        config.write("cl_maxfps_menu 30\n")
    port = free_udp_port()
    server = start_qwserver(qwserver_dir, port, "Real Clients", MAP,
                            env={"MVDSV": SERVER_ON_GIVEN_MAP, "TARVEX_QWSERVER_MAP": str(world)})

    def stop_clients():
        for pid in clients_of(tmp_path):
            subprocess.run([os.path.join(qwclient_dir, "stop-qwclient.sh"), str(pid)], capture_output=True,
                           timeout=30)

    yield port, str(data), stop_clients
    stop_clients()
    stop_qwserver(qwserver_dir, server)


def test_real_client_set_in_edit_paths_joins_under_the_players_name(start_launcher, game, tmp_path):
    port, data, stop_clients = game
    # The client reads ~/.ezquake/config.cfg instead of the data's own settings
    # when there is one; it inherits the launcher's HOME.
    home = tmp_path / "home"
    home.mkdir()
    # The GL option's own path: the same client under another name, in a folder with a blank.
    gl_client = tmp_path / "GL Client" / "ezquake-gl"
    gl_client.parent.mkdir()
    gl_client.symlink_to(EZQUAKE)
    launcher = start_launcher(servers_cfg=f"127.0.0.1:{port}\r\n".encode(), env={"HOME": str(home)})

    # The data folder holds a blank: a lost double quote leaves the client
    # without its data. -condebug logs its console into the data.
    common = f'-basedir "{data}" -ip 127.0.0.1 -nosound -mem 32 -noatlas -condebug'
    launcher.menu("File", "Advanced", "Edit Paths")
    window = launcher.wait_window("Edit Paths")
    for box, text in (("Regular client path", EZQUAKE), ("Regular client parameters", f"{common} +name O'Brien"),
                      ("GL client path", str(gl_client)), ("GL client parameters", f'{common} +name "Big Joe"')):
        edit_box(launcher, window, box, text)
    launcher.press_button("Done", window)
    wait_for(lambda: launcher.window("Edit Paths") is None, what="Edit Paths to close")

    launcher.press_button("Join Server")
    wait_in_game(port, "O'Brien", data)
    assert [argv[0] for argv in clients_of(tmp_path).values()] == [EZQUAKE]
    # Its window would lie over the launcher's.
    stop_clients()

    launcher.click(find(launcher.main, "radio button", "GL Enhanced Tarvex"))
    wait_for(lambda: launcher.option_selected("GL Enhanced Tarvex"), what="the GL client to be chosen")
    launcher.press_button("Join Server")
    wait_in_game(port, "Big Joe", data)
    assert [argv[0] for argv in clients_of(tmp_path).values()] == [str(gl_client)]
    assert launcher.running()
