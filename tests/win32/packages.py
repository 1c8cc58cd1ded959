"""Proves the Windows packages as they are handed out: the zip unpacks to one folder, in which every link of its
README and of the pages it carries leads to a file or heading it holds (tools/check_links.sh); the winget manifests
meet their schemas (a copy in packaging/winget/schema) and name the installer by its SHA-256, with its switches.
  python3 tests/win32/packages.py ZIP SETUP WINGET-FOLDER SCHEMA-FOLDER"""
import hashlib, json, os, subprocess, sys, tempfile, zipfile
import jsonschema, yaml

archive, setup, winget, schemas = sys.argv[1:]
failures = 0
def check(ok, what):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what)
    failures += not ok

with tempfile.TemporaryDirectory() as tmp:
    zipfile.ZipFile(archive).extractall(tmp)
    check(os.listdir(tmp) == [os.path.basename(archive)[:-4]], f"the zip unpacks to one folder: {os.listdir(tmp)}")
    links = os.path.join(os.path.dirname(__file__), "../../tools/check_links.sh")
    check(subprocess.run(["bash", links, os.path.join(tmp, os.listdir(tmp)[0])]).returncode == 0,
          "every link of its README and pages leads to a file, or a heading, in it")

sha = hashlib.sha256(open(setup, "rb").read()).hexdigest().upper()
for kind, name in ("version", ""), ("defaultLocale", ".locale.en-US"), ("installer", ".installer"):
    manifest = yaml.safe_load(open(os.path.join(winget, f"Varnel.Varnel{name}.yaml"), encoding="utf-8"))
    validator = jsonschema.Draft7Validator(json.load(open(os.path.join(schemas, f"manifest.{kind}.1.6.0.json"))))
    errors = [f"{list(e.path)}: {e.message}" for e in validator.iter_errors(manifest)]
    check(not errors and manifest["PackageVersion"] == "1.0.4", f"the {kind} manifest meets its schema {errors}")
installers = manifest["Installers"]
check({i["InstallerSha256"] for i in installers} == {sha} and manifest["InstallerSwitches"]["Silent"] == "/S" and
      [i.get("InstallerSwitches", {}).get("Custom") for i in installers] == [None, "/CURRENTUSER"],
      "both installers carry the setup's SHA-256, /S, and for the user's scope /CURRENTUSER")
# The copy of the schema is no formality: a short hash and a misspelt field are both refused.
bad = dict(manifest, Installers=[dict(installers[0], InstallerSha256=sha[1:])], InstallerSwitchs={})
check(len(list(validator.iter_errors(bad))) == 2, "a manifest with a short hash and a misspelt field is refused")
sys.exit(1 if failures else 0)
