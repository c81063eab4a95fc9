"""Tidelight's Windows installers, Tidelight-<version>-x64.msi and -x86.msi,
built from packaging/tidelight.wxs with Debian's wixl and msibuild
(msitools).

The same files give the same bytes. wixl alone would not: it draws a new
package code at random and stamps the database with the clock. So the
package code is derived from everything that goes into the package, wixl
and msibuild run with their clock stopped at the release date (faketime,
in UTC), and the files enter the cabinet with the release date as theirs.
Component codes are derived from the architecture's upgrade code, and the
product code from the package's contents like the package code: the same in
every build of the same files, new for a rebuild with other bytes, which
then replaces the installed product of the same version (rather than
Windows refusing it as another package of an installed product, 1638).
"""
import datetime
import hashlib
import os
import subprocess
import tempfile
import uuid

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "tidelight.wxs")

# Per architecture: the folders, wixl's architecture and the upgrade code,
# which never changes, so that every later version replaces an earlier one.
ARCHES = {
    "x64": dict(arch="x64", template="x64;1033", SystemDir="System64Folder",
                ProgramsDir="ProgramFiles64Folder", Win64="yes",
                UpgradeCode="6C0F3C4E-9B1D-4E27-A5D3-2F8B6E1A7C40"),
    "x86": dict(arch="x86", template="Intel;1033", SystemDir="SystemFolder",
                ProgramsDir="ProgramFilesFolder", Win64="no",
                UpgradeCode="0B7E5D92-3A6F-4C18-9E41-D5C2A8F36B17"),
}
# The Upgrade table's attributes: the range includes its lowest and its
# highest version.
UPGRADE_MIN_INCLUSIVE, UPGRADE_MAX_INCLUSIVE = 0x100, 0x200
# What each installs, by the name wixl finds it under in the payload folder.
PAYLOAD = ["Tidelight.scr", "tidelight-fx.exe", "README-en.txt", "README-ja.txt", "tidelight.ico"]
COMPONENTS = ["Saver", "Effects", "GuideEn", "GuideJa"]
# Where the installed programs sit: folder id, then name.
INSTALLED = {"Tidelight.scr": "system", "tidelight-fx.exe": "programs",
             "README-en.txt": "programs", "README-ja.txt": "programs"}


def msi_name(version, arch):
    return "Tidelight-%s-%s.msi" % (version, arch)


def machine_condition(arch, version):
    """The launch condition on the machine and what the other machine is
    told: the x86 package refuses 64-bit Windows and names the x64 one."""
    if arch == "x86":
        return ("NOT VersionNT64", "This package is for 32-bit Windows. On 64-bit Windows, "
                "install %s instead." % msi_name(version, "x64"))
    return ("VersionNT64", "This package is for 64-bit Windows. On 32-bit Windows, "
            "install %s instead." % msi_name(version, "x86"))


def product_code_of(path):
    """The product code written in an installer."""
    out = subprocess.run(["msiinfo", "export", path, "Property"], capture_output=True, text=True,
                         check=True).stdout
    return dict(line.split("\t", 1) for line in out.splitlines()[3:])["ProductCode"]


def _stopped_clock(when):
    stamp = datetime.datetime.fromtimestamp(when, datetime.timezone.utc)
    return ["faketime", stamp.strftime("%Y-%m-%d %H:%M:%S")]


def build(out, arch, version, files, when):
    """Writes the installer of `arch` ("x64" or "x86") for `version` to
    `out`. `files` maps each name of PAYLOAD to its bytes; `when` is the
    release date in seconds since 1970."""
    a = ARCHES[arch]
    upgrade = uuid.UUID(a["UpgradeCode"])
    with open(SOURCE, "rb") as f:
        source = f.read()
    content = hashlib.sha256(source + arch.encode() + version.encode())
    for name in PAYLOAD:
        content.update(hashlib.sha256(files[name]).digest())
    package = "{%s}" % str(uuid.uuid5(upgrade, "package " + content.hexdigest())).upper()
    product = str(uuid.uuid5(upgrade, "product " + content.hexdigest())).upper()
    machine, message = machine_condition(arch, version)
    defines = dict(Version=version, ProductCode=product, UpgradeCode=a["UpgradeCode"],
                   SystemDir=a["SystemDir"], ProgramsDir=a["ProgramsDir"], Win64=a["Win64"],
                   Machine=machine, MachineMessage=message)
    for component in COMPONENTS:
        defines["Guid." + component] = str(uuid.uuid5(upgrade, "component " + component)).upper()
    env = dict(os.environ, TZ="UTC")
    clock = _stopped_clock(when)
    with tempfile.TemporaryDirectory() as payload:
        for name in PAYLOAD:
            path = os.path.join(payload, name)
            with open(path, "wb") as f:
                f.write(files[name])
            os.utime(path, (when, when))  # the date each file carries in the cabinet
        defines["Payload"] = "."  # wixl finds files only by paths relative to where it runs
        partial = os.path.abspath(out) + ".partial"
        args = [*clock, "wixl", "-a", a["arch"], "-o", partial]
        for key, value in sorted(defines.items()):
            args += ["-D", "%s=%s" % (key, value)]
        subprocess.run(args + [SOURCE], check=True, env=env, cwd=payload)
    # wixl takes no package code, and drops IncludeMaximum: both are set
    # afterwards. The row of older versions takes this version in too (its
    # attributes are part of the table's key, so the row is written anew).
    older = ("INSERT INTO Upgrade (UpgradeCode, VersionMin, VersionMax, Attributes, ActionProperty) "
             "VALUES ('{%s}', '0.0.0', '%s', %d, 'OLDERFOUND')"
             % (str(upgrade).upper(), version, UPGRADE_MIN_INCLUSIVE | UPGRADE_MAX_INCLUSIVE))
    subprocess.run([*clock, "msibuild", partial,
                    "-q", "DELETE FROM Upgrade WHERE ActionProperty = 'OLDERFOUND'", "-q", older,
                    "-s", "Tidelight screen saver " + version, "Tidelight", a["template"], package],
                   check=True, env=env)
    os.replace(partial, out)
