"""The program file of this build, read with pefile: small, standalone, made for its
architecture, with one version throughout, its icon, and its release zip."""
import re
import struct
import zipfile

import pefile

from wine import BIN, BUILD, OUT, ROOT, project_version

SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll", "advapi32.dll", "ole32.dll",
               "oleaut32.dll"}
MACHINE = {"win32": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"],
           "win64": pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]}
MANIFEST_ARCHITECTURE = {"win32": 'processorArchitecture="x86"', "win64": 'processorArchitecture="amd64"'}


def program():
    return pefile.PE(str(BIN / "AddJob.exe"))


def resource(pe, kind, name):
    """The data of the first resource of KIND with the id NAME."""
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == kind:
            for named in entry.directory.entries:
                if named.id == name:
                    data = named.directory.entries[0].data.struct
                    return pe.get_data(data.OffsetToData, data.Size)
    raise AssertionError(f"no resource {kind}/{name}")


def test_small_standalone_and_for_its_architecture():
    assert (BIN / "AddJob.exe").stat().st_size <= 64 * 1024
    pe = program()
    assert pe.FILE_HEADER.Machine == MACHINE[BUILD]
    imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    assert imports and imports <= SYSTEM_DLLS, imports
    manifest = resource(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"], 1).decode()
    assert MANIFEST_ARCHITECTURE[BUILD] in manifest, "the embedded manifest names the build's architecture"
    # Per-monitor DPI from Windows 10 1703 on, with the value 1607 knows as its fallback.
    assert ">PerMonitorV2, PerMonitor</dpiAwareness>" in manifest
    assert pe.OPTIONAL_HEADER.DllCharacteristics & 0x8000, "terminal-server aware, as Windows linkers mark it"
    # The program file's icon: two images, 16 and 32 pixels square, 16 colours each.
    group = resource(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"], 1)
    count = struct.unpack_from("<H", group, 4)[0]
    images = [struct.unpack_from("<BBxxxxH", group, 6 + 14 * i) for i in range(count)]
    assert images == [(16, 16, 4), (32, 32, 4)]


def test_one_version_in_the_resource_the_manifest_and_the_project():
    pe = program()
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    texts = {key.decode(): value.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
             for table in info.StringTable for key, value in table.entries.items()}
    manifest = resource(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"], 1).decode()
    in_manifest = re.search(r'name="Tessaro.AddJob" version="([0-9.]+)"', manifest).group(1)
    assert {numbers(fixed.FileVersionMS, fixed.FileVersionLS), numbers(fixed.ProductVersionMS, fixed.ProductVersionLS),
            texts["FileVersion"], texts["ProductVersion"], in_manifest} == {project_version()}


def test_release_zip_holds_the_program_the_users_guide_and_the_licence():
    folder = f"AddJob-{project_version()}-{BUILD}"
    with zipfile.ZipFile(OUT / "release" / f"{folder}.zip") as release:
        assert sorted(release.namelist()) == [f"{folder}/{name}" for name in ("AddJob.exe", "LICENSE", "USER-GUIDE.md")]
        for name, source in (("AddJob.exe", BIN), ("LICENSE", ROOT), ("USER-GUIDE.md", ROOT)):
            assert release.read(f"{folder}/{name}") == (source / name).read_bytes(), name
    # The guide is for the people who run the program: no picture or file the zip doesn't hold.
    guide = (ROOT / "USER-GUIDE.md").read_text()
    assert guide.startswith("# Tessaro - Job hinzufügen\n") and "](" not in guide
