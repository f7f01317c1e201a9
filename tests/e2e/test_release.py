"""The release made by scripts/release, into a folder of a test's own: signed with a throwaway
code-signing certificate, made here with openssl (a root, and a leaf for code signing under it),
it verifies against that root, runs, and fails verification with one byte changed; SHA256SUMS is
what sha256sum -c reads; and a signing that can't be done fails naming its cause and its
remedy, and leaves nothing behind."""
import os
import subprocess
import zipfile

import pytest

import texts
from app import App, driver
from wine import BUILD, OUT, ROOT, project_version

VERSION = project_version()


def openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True, capture_output=True, timeout=60)


@pytest.fixture(scope="module")
def certificates(tmp_path_factory):
    """A throwaway root, a code-signing certificate under it and one for web servers, each in a
    PKCS#12 file with the password in `password`; and one without a password."""
    folder = tmp_path_factory.mktemp("certificates")
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "root.key", "-out", "root.pem", "-days", "2",
            "-subj", "/CN=Throwaway Root", "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=folder)
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "leaf.key", "-out", "leaf.csr", "-subj",
            "/CN=Throwaway Code Signing", cwd=folder)
    (folder / "password").write_text("s3cret\n")
    (folder / "wrong").write_text("secret\n")
    for name, purpose in (("signing", "codeSigning"), ("web", "serverAuth")):
        (folder / f"{name}.ext").write_text(f"basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                                            f"extendedKeyUsage={purpose}\n")
        openssl("x509", "-req", "-in", "leaf.csr", "-CA", "root.pem", "-CAkey", "root.key", "-CAcreateserial",
                "-out", f"{name}.pem", "-days", "2", "-extfile", f"{name}.ext", cwd=folder)
        openssl("pkcs12", "-export", "-inkey", "leaf.key", "-in", f"{name}.pem", "-out", f"{name}.pfx",
                "-passout", "file:password", cwd=folder)
    openssl("pkcs12", "-export", "-inkey", "leaf.key", "-in", "signing.pem", "-out", "open.pfx", "-passout", "pass:",
            cwd=folder)
    return folder


def release(to, pfx=None, password=None):
    """scripts/release of this run's builds into TO; its exit code and what it said."""
    env = {key: value for key, value in os.environ.items() if not key.startswith("ADDJOB_SIGN")}
    if pfx:
        env["ADDJOB_SIGN_PFX"] = str(pfx)
    if password:
        env["ADDJOB_SIGN_PASSWORD_FILE"] = str(password)
    run = subprocess.run([str(ROOT / "scripts" / "release"), str(OUT), str(to)], env=env, capture_output=True,
                         text=True, timeout=120)
    return run.returncode, run.stdout + run.stderr


def verifies(exe, root):
    run = subprocess.run(["osslsigncode", "verify", "-CAfile", str(root), "-in", str(exe)], capture_output=True,
                         text=True, timeout=60)
    return run.returncode == 0 and "Signature verification: ok" in run.stdout


def test_a_signed_release_verifies_runs_and_breaks_with_one_byte(certificates, tmp_path):
    code, said = release(tmp_path / "release", certificates / "signing.pfx", certificates / "password")
    assert code == 0, said
    assert "Signing without a timestamp (ADDJOB_SIGN_TIMESTAMP_URL is not set)" in said
    zips = [f"AddJob-{VERSION}-{build}.zip" for build in ("win32", "win64")]
    assert sorted(os.listdir(tmp_path / "release")) == zips + ["SHA256SUMS"], "nothing half-made is left"
    checked = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=tmp_path / "release", capture_output=True,
                             text=True, timeout=60)
    assert (checked.returncode, checked.stdout) == (0, "".join(f"{name}: OK\n" for name in zips))

    folder = tmp_path / "unpacked"
    with zipfile.ZipFile(tmp_path / "release" / f"AddJob-{VERSION}-{BUILD}.zip") as zipped:
        zipped.extractall(folder)
    exe = folder / f"AddJob-{VERSION}-{BUILD}" / "AddJob.exe"
    assert verifies(exe, certificates / "root.pem")
    assert not verifies(exe, certificates / "signing.pem"), "only against its root"
    app = App(exe, {})
    try:
        assert driver("state")["caption"] == texts.CAPTION
    finally:
        app.stop()
    data = bytearray(exe.read_bytes())
    data[0x1000] ^= 0x01  # a byte of the code
    broken = tmp_path / "broken.exe"
    broken.write_bytes(bytes(data))
    assert not verifies(broken, certificates / "root.pem")


def test_a_certificate_without_a_password_signs_too(certificates, tmp_path):
    code, said = release(tmp_path / "release", certificates / "open.pfx")
    assert code == 0, said
    with zipfile.ZipFile(tmp_path / "release" / f"AddJob-{VERSION}-{BUILD}.zip") as zipped:
        zipped.extractall(tmp_path)
    assert verifies(tmp_path / f"AddJob-{VERSION}-{BUILD}" / "AddJob.exe", certificates / "root.pem")


BAD_SIGNING = {
    "wrong password": ("signing.pfx", "wrong", "can't be opened with the password in {}/wrong: a wrong password",
                       "What to do: check the file and its password"),
    "no password file": ("signing.pfx", "missing", "ADDJOB_SIGN_PASSWORD_FILE names {}/missing, which is not a file",
                         "What to do: put the certificate's password alone on the first line of a file"),
    "no certificate": ("missing.pfx", "password", "ADDJOB_SIGN_PFX names {}/missing.pfx, which is not a file",
                       "What to do: set ADDJOB_SIGN_PFX to your code-signing certificate's PKCS#12"),
    "not for code": ("web.pfx", "password", "the certificate in {}/web.pfx can't sign code: it lacks the Code Signing "
                     "purpose", "What to do: use a code-signing certificate."),
}


@pytest.mark.parametrize("case", BAD_SIGNING)
def test_a_signing_that_cannot_be_done_fails_and_leaves_nothing(certificates, tmp_path, case):
    pfx, password, cause, remedy = BAD_SIGNING[case]
    to = tmp_path / "release"
    to.mkdir()
    (to / "SHA256SUMS").write_text("an earlier release's\n")
    code, said = release(to, certificates / pfx, certificates / password)
    assert code == 1, said
    assert cause.format(certificates) in said and remedy in said, said
    assert os.listdir(to) == ["SHA256SUMS"] and (to / "SHA256SUMS").read_text() == "an earlier release's\n"
