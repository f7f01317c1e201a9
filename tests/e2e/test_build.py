"""The program file of this build: small, standalone, and made for its architecture."""
import re
import struct
import subprocess
import zipfile

from wine import BIN, BUILD, ROOT

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


def project_version():
    """The version that CMakeLists.txt's project() gives."""
    return re.search(r"project\(AddJob VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text()).group(1)


def test_one_version_in_the_resource_the_manifest_and_the_project():
    image = (BIN / "AddJob.exe").read_bytes()
    fixed = image.index(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", image, fixed + 8)
    numbers = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    key = "FileVersion\0".encode("utf-16-le")
    start = image.index(key) + len(key)
    start += -start % 4  # the value starts on a 32-bit boundary
    text = image[start:image.index(b"\0\0", start) + 1].decode("utf-16-le")
    manifest = re.search(rb'name="Tessaro.AddJob" version="([0-9.]+)"', image).group(1).decode()
    assert {numbers(file_ms, file_ls), numbers(product_ms, product_ls), text, manifest} == {project_version()}


def test_release_zip_holds_the_program_the_readme_and_the_licence():
    folder = f"AddJob-{project_version()}-{BUILD}"
    with zipfile.ZipFile(BIN / f"{folder}.zip") as release:
        assert sorted(release.namelist()) == [f"{folder}/{name}" for name in ("AddJob.exe", "LICENSE", "README.md")]
        assert release.read(f"{folder}/AddJob.exe") == (BIN / "AddJob.exe").read_bytes()
        assert release.read(f"{folder}/LICENSE") == (ROOT / "LICENSE").read_bytes()
        readme = release.read(f"{folder}/README.md").decode()
    # The repository's README but for the zips' own checksums.
    assert readme.startswith("# Tessaro - Job hinzufügen") and "## Troubleshooting" in readme
    assert "zip checksums" not in readme and "zip checksums" in (ROOT / "README.md").read_text()
