"""Checks the winget and Scoop manifests scripts/manifests.sh writes, field by field, against the
fields winget's manifest schema 1.10.0 (version, installer and defaultLocale files) and Scoop's
app manifests document: made for stand-in zips here, or for a real dist folder with --dist.

  manifests_test.py MANIFESTS_SH
  manifests_test.py --dist DIST_DIR VERSION
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import yaml

PACKAGE_ID = "Chromivo.Chromivo"
MANIFEST_VERSION = "1.10.0"
DEFAULT_URL = "https://chromivo.example/releases/download/v{version}/"
# winget's pattern for an identifier: 2 to 8 dot-separated parts without spaces or path signs.
ID_PATTERN = r'^[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}){1,7}$'
ARCHITECTURE_ZIP = {"x64": "win64", "x86": "win32", "64bit": "win64", "32bit": "win32"}


class Checks:
    def __init__(self):
        self.failures = []

    def that(self, condition, what):
        if not condition:
            self.failures.append(what)
        return condition


def sums_of(dist):
    sums = {}
    with open(os.path.join(dist, "SHA256SUMS"), encoding="utf-8") as file:
        for line in file:
            digest, name = line.split(maxsplit=1)
            sums[name.strip().lstrip("*")] = digest
    return sums


def zip_names(version):
    return {arch: f"Chromivo-{version}-{ARCHITECTURE_ZIP[arch]}.zip" for arch in ARCHITECTURE_ZIP}


def in_zip(dist, zip_name, member):
    with zipfile.ZipFile(os.path.join(dist, zip_name)) as archive:
        return member in archive.namelist()


def check_winget(c, dist, version, url_folder, release_date):
    folder = os.path.join(dist, "winget")
    names = {
        "version": f"{PACKAGE_ID}.yaml",
        "installer": f"{PACKAGE_ID}.installer.yaml",
        "defaultLocale": f"{PACKAGE_ID}.locale.en-US.yaml",
    }
    # winget reads every file of the folder into the one manifest.
    if not c.that(sorted(os.listdir(folder)) == sorted(names.values()),
                  f"winget/ holds exactly {sorted(names.values())}: {sorted(os.listdir(folder))}"):
        return
    docs = {}
    for kind, name in names.items():
        with open(os.path.join(folder, name), encoding="utf-8") as file:
            text = file.read()
        header = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json"
        c.that(text.startswith(header + "\n"), f"{name} starts with the {kind} schema's header")
        try:
            docs[kind] = yaml.safe_load(text)
        except (yaml.YAMLError, ValueError) as error:
            c.that(False, f"{name} is not valid YAML: {error}")
            return

    required = {
        "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
        "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
        "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                          "License", "ShortDescription", "ManifestType", "ManifestVersion"],
    }
    for kind, fields in required.items():
        for field in fields:
            value = docs[kind].get(field)
            c.that(value not in (None, "", []), f"{names[kind]} has {field}")
        c.that(docs[kind].get("ManifestType") == kind, f"{names[kind]}: ManifestType {kind}")
        # The same identity in all three, and as text: YAML would read 2.5 as a number.
        c.that(docs[kind].get("PackageIdentifier") == PACKAGE_ID, f"{names[kind]}: PackageIdentifier")
        c.that(docs[kind].get("PackageVersion") == version, f"{names[kind]}: PackageVersion is the text {version}")
        c.that(docs[kind].get("ManifestVersion") == MANIFEST_VERSION, f"{names[kind]}: ManifestVersion")
    c.that(re.match(ID_PATTERN, PACKAGE_ID) is not None, "the identifier matches winget's pattern")
    locale = docs["defaultLocale"]
    c.that(docs["version"].get("DefaultLocale") == locale.get("PackageLocale") == "en-US",
           "DefaultLocale names the default locale file's PackageLocale")
    c.that(3 <= len(str(locale.get("ShortDescription", ""))) <= 256, "ShortDescription has 3 to 256 characters")

    installer = docs["installer"]
    sums = sums_of(dist)
    zips = zip_names(version)
    installers = installer.get("Installers") or []
    c.that(sorted(i.get("Architecture") for i in installers) == ["x64", "x86"], "one installer each for x64 and x86")
    for entry in installers:
        arch = entry.get("Architecture")
        if arch not in zips:
            continue

        def field(name):
            # Root-level installer fields are every installer's default.
            return entry.get(name, installer.get(name))

        zip_name = zips[arch]
        c.that(field("InstallerType") == "zip", f"{arch}: InstallerType zip")
        c.that(field("NestedInstallerType") == "portable", f"{arch}: NestedInstallerType portable")
        c.that(field("MinimumOSVersion") == "6.1.7601.0", f"{arch}: MinimumOSVersion is Windows 7 SP1")
        nested = field("NestedInstallerFiles") or []
        c.that([n.get("RelativeFilePath") for n in nested] == ["Chromivo.exe"], f"{arch}: the nested file is Chromivo.exe")
        c.that(in_zip(dist, zip_name, "Chromivo.exe"), f"{zip_name} holds Chromivo.exe at its root")
        url = str(entry.get("InstallerUrl"))
        c.that(url == url_folder + zip_name, f"{arch}: InstallerUrl {url} is {url_folder}{zip_name}")
        digest = str(entry.get("InstallerSha256"))
        c.that(re.match(r"^[A-Fa-f0-9]{64}$", digest) is not None, f"{arch}: InstallerSha256 is 64 hex digits")
        c.that(digest.lower() == sums.get(zip_name), f"{arch}: InstallerSha256 is {zip_name}'s line in SHA256SUMS")
    if release_date is not None:
        c.that(str(installer.get("ReleaseDate")) == release_date, f"ReleaseDate is {release_date}")


def scoop_substitute(pattern, values, escape):
    for name, value in values.items():
        pattern = pattern.replace(name, re.escape(value) if escape else value)
    return pattern


def check_scoop(c, dist, version, url_folder):
    with open(os.path.join(dist, "chromivo.json"), encoding="utf-8") as file:
        try:
            manifest = json.load(file)
        except json.JSONDecodeError as error:
            c.that(False, f"chromivo.json is not valid JSON: {error}")
            return
    for field in ["version", "description", "homepage", "license", "architecture", "bin", "shortcuts",
                  "checkver", "autoupdate"]:
        c.that(manifest.get(field) not in (None, "", [], {}), f"chromivo.json has {field}")
    c.that(manifest.get("version") == version, "Scoop version is the version")
    c.that(re.match(r"^https?://", str(manifest.get("homepage"))) is not None, "homepage is a web address")
    sums = sums_of(dist)
    zips = zip_names(version)
    architecture = manifest.get("architecture", {})
    c.that(sorted(architecture) == ["32bit", "64bit"], "architecture has 64bit and 32bit")
    c.that(manifest.get("bin") == "Chromivo.exe", "bin is Chromivo.exe")
    c.that(manifest.get("shortcuts") == [["Chromivo.exe", "Chromivo"]], "one Start menu shortcut to Chromivo.exe")
    autoupdate = manifest.get("autoupdate", {})
    text = open(os.path.join(dist, "SHA256SUMS"), encoding="utf-8").read()
    for arch in ["64bit", "32bit"]:
        zip_name = zips[arch]
        entry = architecture.get(arch, {})
        url = entry.get("url", "")
        c.that(url == url_folder + zip_name, f"{arch}: url {url} is {url_folder}{zip_name}")
        c.that(entry.get("hash") == sums.get(zip_name), f"{arch}: hash is {zip_name}'s line in SHA256SUMS")
        c.that(in_zip(dist, zip_name, manifest.get("bin", "")), f"{zip_name} holds the bin")
        # Autoupdate's address for this version is this version's address, and its hash lookup,
        # as Scoop substitutes it, finds this zip's line in the SHA256SUMS beside it.
        template = autoupdate.get("architecture", {}).get(arch, {}).get("url", "")
        c.that(template.replace("$version", version) == url, f"{arch}: autoupdate url gives {url}")
        values = {"$baseurl": url.rsplit("/", 1)[0], "$basename": zip_name}
        hash_config = autoupdate.get("hash", {})
        c.that(scoop_substitute(hash_config.get("url", ""), values, False) == url_folder + "SHA256SUMS",
               f"{arch}: autoupdate reads the SHA256SUMS beside the zip")
        regex = scoop_substitute(hash_config.get("regex", "").replace("$sha256", "([a-fA-F0-9]{64})"), values, True)
        found = re.search(regex, text)
        c.that(found is not None and found.group(1) == sums.get(zip_name),
               f"{arch}: autoupdate's hash regex finds {zip_name}'s hash")
    checkver = manifest.get("checkver", {})
    found = re.search(checkver.get("regex", "$^"), f'<a href="{zips["64bit"]}">')
    c.that(found is not None and found.group(1) == version, "checkver's regex reads the version from the zip's name")


def check_dist(dist, version, url_folder, release_date):
    c = Checks()
    check_winget(c, dist, version, url_folder, release_date)
    check_scoop(c, dist, version, url_folder)
    return c.failures


def stand_in_dist(folder, version):
    """Two small zips laid out as the real ones (Chromivo.exe and README.txt), and their sums."""
    os.makedirs(folder)
    for bits in ["win64", "win32"]:
        with zipfile.ZipFile(os.path.join(folder, f"Chromivo-{version}-{bits}.zip"), "w") as archive:
            archive.writestr("Chromivo.exe", f"stand-in {bits} program")
            archive.writestr("README.txt", "stand-in")
    sums = subprocess.run(["sha256sum", f"Chromivo-{version}-win64.zip", f"Chromivo-{version}-win32.zip"],
                          cwd=folder, check=True, capture_output=True, text=True).stdout
    with open(os.path.join(folder, "SHA256SUMS"), "w", encoding="utf-8") as file:
        file.write(sums)


def run(script, dist, version, *options, release_url=None):
    env = {k: v for k, v in os.environ.items() if k != "CHROMIVO_RELEASE_URL"}
    env["SOURCE_DATE_EPOCH"] = "1773446400"  # 2026-03-14 UTC
    if release_url is not None:
        env["CHROMIVO_RELEASE_URL"] = release_url
    return subprocess.run(["bash", script, *options, dist, version], env=env, capture_output=True, text=True)


def main():
    if sys.argv[1] == "--dist":
        dist, version = sys.argv[2], sys.argv[3]
        url = os.environ.get("CHROMIVO_RELEASE_URL", DEFAULT_URL).replace("{version}", version).rstrip("/") + "/"
        failures = check_dist(dist, version, url, None)
    else:
        failures = []
        script = os.path.abspath(sys.argv[1])
        with tempfile.TemporaryDirectory() as work:
            cases = [
                # (name, version, options, environment's URL, expected folder of the zips)
                ("default", "4.3.2.1", [], None, DEFAULT_URL.format(version="4.3.2.1")),
                ("environment", "2.5", [], "https://mirror.example/chromivo/{version}",
                 "https://mirror.example/chromivo/2.5/"),
                ("option", "2.5", ["--release-url", "https://dl.example/c/"], "https://mirror.example/{version}/",
                 "https://dl.example/c/"),
            ]
            for name, version, options, env_url, folder in cases:
                dist = os.path.join(work, name)
                stand_in_dist(dist, version)
                result = run(script, dist, version, *options, release_url=env_url)
                if result.returncode != 0:
                    failures.append(f"{name}: manifests.sh failed: {result.stderr.strip()}")
                    continue
                failures += [f"{name}: {f}" for f in check_dist(dist, version, folder, "2026-03-14")]

            # The same zips give the same bytes.
            again = os.path.join(work, "again")
            stand_in_dist(again, "4.3.2.1")
            run(script, again, "4.3.2.1")
            for path in ["chromivo.json", "winget/Chromivo.Chromivo.yaml", "winget/Chromivo.Chromivo.installer.yaml",
                         "winget/Chromivo.Chromivo.locale.en-US.yaml"]:
                first = open(os.path.join(work, "default", path), "rb").read()
                second = open(os.path.join(again, path), "rb").read()
                if first != second:
                    failures.append(f"{path} differs between two runs on the same zips")

            # Manifests promise the hashes: a zip that no longer matches SHA256SUMS stops the script.
            changed = os.path.join(work, "changed")
            stand_in_dist(changed, "4.3.2.1")
            with open(os.path.join(changed, "Chromivo-4.3.2.1-win32.zip"), "ab") as file:
                file.write(b"changed")
            result = run(script, changed, "4.3.2.1")
            if result.returncode == 0 or os.path.exists(os.path.join(changed, "chromivo.json")):
                failures.append("manifests.sh wrote manifests for a zip that does not match SHA256SUMS")

    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
