"""Checks the manifests scripts/manifests.sh writes for stand-in zips, field by field, against the
fields winget's manifest schema 1.10.0 and Scoop's app manifest documentation require; with
--dist DIST_DIR VERSION, those of a real dist folder.
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import yaml

ID = "Chromivo.Chromivo"
FILES = {"version": f"{ID}.yaml", "installer": f"{ID}.installer.yaml", "defaultLocale": f"{ID}.locale.en-US.yaml"}
REQUIRED = {
    "version": ["DefaultLocale"],
    "installer": ["Installers"],
    "defaultLocale": ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"],
}
INSTALLER_REQUIRED = ["InstallerType", "InstallerUrl", "InstallerSha256", "NestedInstallerType", "NestedInstallerFiles"]
SCOOP_REQUIRED = ["version", "description", "homepage", "license", "architecture", "bin", "shortcuts", "checkver",
                  "autoupdate"]
BITS = {"x64": "win64", "x86": "win32", "64bit": "win64", "32bit": "win32"}


def check(dist, version, folder):
    failures = []

    def expect(condition, what):
        if not condition:
            failures.append(what)

    with open(f"{dist}/SHA256SUMS", encoding="utf-8") as file:
        sums = {name.lstrip("*"): digest for digest, name in (line.split() for line in file)}
    zips = {arch: f"Chromivo-{version}-{bits}.zip" for arch, bits in BITS.items()}

    def zipped(arch, member):
        with zipfile.ZipFile(f"{dist}/{zips[arch]}") as archive:
            return member in archive.namelist()

    # winget reads every file of the folder into the one manifest.
    expect(sorted(os.listdir(f"{dist}/winget")) == sorted(FILES.values()), "winget/ holds the three files alone")
    docs = {}
    for kind, name in FILES.items():
        try:
            with open(f"{dist}/winget/{name}", encoding="utf-8") as file:
                docs[kind] = doc = yaml.safe_load(file)
        except (OSError, yaml.YAMLError, ValueError) as error:
            return failures + [f"{name}: {error}"]
        for field in REQUIRED[kind] + ["PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion"]:
            expect(doc.get(field) not in (None, "", []), f"{name} has {field}")
        # The same identity in all three, the version as text (YAML reads a bare 2.5 as a number).
        identity = (doc.get("PackageIdentifier"), doc.get("PackageVersion"), doc.get("ManifestVersion"))
        expect(identity == (ID, version, "1.10.0"), f"{name}: identity {identity}")
        expect(doc.get("ManifestType") == kind, f"{name}: ManifestType {kind}")
    expect(docs["version"]["DefaultLocale"] == docs["defaultLocale"]["PackageLocale"], "DefaultLocale's file")
    expect(3 <= len(docs["defaultLocale"]["ShortDescription"]) <= 256, "ShortDescription of 3 to 256 characters")

    root = docs["installer"]
    expect(sorted(i.get("Architecture") for i in root["Installers"]) == ["x64", "x86"], "installers for x64, x86")
    for entry in root["Installers"]:
        arch = entry["Architecture"]
        # Fields at the root are every installer's own unless it has them.
        field = {name: entry.get(name, root.get(name)) for name in INSTALLER_REQUIRED + ["MinimumOSVersion"]}
        expect(None not in field.values(), f"{arch}: has {INSTALLER_REQUIRED} and MinimumOSVersion")
        expect((field["InstallerType"], field["NestedInstallerType"]) == ("zip", "portable"), f"{arch}: a portable zip")
        expect(field["MinimumOSVersion"] == "6.1.7601.0", f"{arch}: Windows 7 SP1 or later")
        nested = [n.get("RelativeFilePath") for n in field["NestedInstallerFiles"] or []]
        expect(nested == ["Chromivo.exe"] and zipped(arch, "Chromivo.exe"), f"{arch}: Chromivo.exe in the zip")
        expect(field["InstallerUrl"] == folder + zips[arch], f"{arch}: InstallerUrl {field['InstallerUrl']}")
        expect(str(field["InstallerSha256"]).lower() == sums[zips[arch]], f"{arch}: InstallerSha256 is the zip's")

    with open(f"{dist}/chromivo.json", encoding="utf-8") as file:
        scoop = json.load(file)
    expect(all(scoop.get(name) for name in SCOOP_REQUIRED), f"chromivo.json has {SCOOP_REQUIRED}")
    expect(scoop["version"] == version and scoop["homepage"].startswith("http"), "Scoop's version and homepage")
    expect(sorted(scoop["architecture"]) == ["32bit", "64bit"], "Scoop's zips for 64bit and 32bit")
    expect(scoop["shortcuts"] == [["Chromivo.exe", "Chromivo"]], "one shortcut to Chromivo.exe")
    with open(f"{dist}/SHA256SUMS", encoding="utf-8") as file:
        sums_text = file.read()
    for arch, entry in scoop["architecture"].items():
        expect(entry["url"] == folder + zips[arch], f"{arch}: url {entry['url']}")
        expect(entry["hash"] == sums[zips[arch]], f"{arch}: hash is the zip's")
        expect(zipped(arch, scoop["bin"]) and scoop["bin"] == "Chromivo.exe", f"{arch}: bin Chromivo.exe in the zip")
        # Autoupdate, substituted as Scoop does, gives this version's address and finds its hash
        # in the SHA256SUMS beside it.
        update = scoop["autoupdate"]
        next_url = update["architecture"][arch]["url"].replace("$version", version)
        expect(next_url == entry["url"], f"{arch}: autoupdate url {next_url}")
        expect(update["hash"]["url"].replace("$baseurl", folder.rstrip("/")) == folder + "SHA256SUMS", "hash file")
        regex = update["hash"]["regex"].replace("$sha256", "([a-fA-F0-9]{64})")
        regex = regex.replace("$basename", re.escape(zips[arch]))
        found = re.search(regex, sums_text)
        expect(found and found.group(1) == sums[zips[arch]], f"{arch}: autoupdate's regex finds the zip's hash")
    found = re.search(scoop["checkver"]["regex"], f'<a href="{zips["64bit"]}">')
    expect(found and found.group(1) == version, "checkver's regex reads the version from the zip's name")
    return failures


def stand_in_dist(dist, version):
    """Two small zips laid out as the real ones, and their SHA256SUMS."""
    os.makedirs(dist)
    names = [f"Chromivo-{version}-{bits}.zip" for bits in ("win64", "win32")]
    for name in names:
        with zipfile.ZipFile(f"{dist}/{name}", "w") as archive:
            archive.writestr("Chromivo.exe", name)
            archive.writestr("README.txt", "stand-in")
    sums = subprocess.run(["sha256sum", *names], cwd=dist, check=True, capture_output=True, text=True).stdout
    with open(f"{dist}/SHA256SUMS", "w", encoding="utf-8") as file:
        file.write(sums)


def main():
    if sys.argv[1] == "--dist":
        url = os.environ.get("CHROMIVO_RELEASE_URL", "https://chromivo.example/releases/download/v{version}/")
        failures = check(sys.argv[2], sys.argv[3], url.replace("{version}", sys.argv[3]).rstrip("/") + "/")
    else:
        failures = []
        env = {k: v for k, v in os.environ.items() if k != "CHROMIVO_RELEASE_URL"}
        with tempfile.TemporaryDirectory() as work:
            cases = [  # name, version, options, CHROMIVO_RELEASE_URL, the folder the URLs must name
                ("default", "4.3.2.1", [], None, "https://chromivo.example/releases/download/v4.3.2.1/"),
                ("variable", "2.5", [], "https://mirror.example/c/{version}", "https://mirror.example/c/2.5/"),
                ("option", "2.5", ["--release-url", "https://dl.example/c/"], "https://mirror.example/",
                 "https://dl.example/c/"),
            ]
            for name, version, options, url, folder in cases:
                stand_in_dist(f"{work}/{name}", version)
                result = subprocess.run(["bash", sys.argv[1], *options, f"{work}/{name}", version], text=True,
                                        env=dict(env, **({"CHROMIVO_RELEASE_URL": url} if url else {})),
                                        capture_output=True)
                failures += [f"{name}: {f}" for f in
                             (check(f"{work}/{name}", version, folder) if result.returncode == 0 else [result.stderr])]
            # The manifests promise the hashes: none are written for a zip SHA256SUMS does not match.
            stand_in_dist(f"{work}/changed", "4.3.2.1")
            with open(f"{work}/changed/Chromivo-4.3.2.1-win32.zip", "ab") as file:
                file.write(b"changed after SHA256SUMS")
            result = subprocess.run(["bash", sys.argv[1], f"{work}/changed", "4.3.2.1"], env=env, capture_output=True)
            if result.returncode == 0 or os.path.exists(f"{work}/changed/chromivo.json"):
                failures.append("manifests written for a zip that does not match SHA256SUMS")
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
