"""The program file of this build: small, standalone, and made for its architecture."""
import struct
import subprocess

from wine import BIN, BUILD

SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll", "advapi32.dll"}
MACHINE = {"win32": 0x014C, "win64": 0x8664}  # IMAGE_FILE_MACHINE_I386, _AMD64
MANIFEST_ARCHITECTURE = {"win32": b'processorArchitecture="x86"', "win64": b'processorArchitecture="amd64"'}


def test_small_standalone_and_for_its_architecture():
    image = (BIN / "AddJob.exe").read_bytes()
    assert len(image) <= 64 * 1024
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[pe:pe + 4] == b"PE\0\0"
    assert struct.unpack_from("<H", image, pe + 4)[0] == MACHINE[BUILD]
    assert MANIFEST_ARCHITECTURE[BUILD] in image, "the embedded manifest names the build's architecture"
    dump = subprocess.run(["objdump", "-p", str(BIN / "AddJob.exe")], check=True, capture_output=True,
                          text=True).stdout
    imports = {line.split("DLL Name:")[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line}
    assert imports and imports <= SYSTEM_DLLS, imports
