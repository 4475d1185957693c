#!/usr/bin/env python3
"""`scenc dump --json` of the embedded scenario's three compiled files, of a
broken file and of standard input, validated against docs/dump-json.schema.json.

    dump_json_schema_test.py SCENC SCHEMA
"""
import json
import subprocess
import sys
import tempfile

import jsonschema

scenc, schema_file = sys.argv[1], sys.argv[2]
with open(schema_file, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

with tempfile.TemporaryDirectory() as d:
    def run(*args, stdin=None, status=0):
        r = subprocess.run([scenc, *args], cwd=d, stdin=stdin, capture_output=True)
        assert r.returncode == status, (args, r.returncode, r.stderr.decode())
        return r.stdout

    run("sources")
    run("compile", "--route", "Valcerra_Mosina", "--train", "IR20588")
    files = ["Valcerra_Mosina_IR20588.dat", "Valcerra_Mosina_IR20588.sim", "Valcerra_Mosina_linea.dat"]
    with open(f"{d}/broken_T.sim", "wb") as f:
        f.write(b"\0" * 40)
    with open(f"{d}/{files[1]}", "rb") as sim:
        runs = {
            "the three files": run("dump", "--json", "--rows", "351:353", *files),
            "a broken file": run("dump", "--json", "broken_T.sim", status=1),
            "standard input": run("dump", "--json", "--kind", "records", "-", stdin=sim),
        }
    failed = False
    for what, out in runs.items():
        doc = json.loads(out)
        errors = sorted(validator.iter_errors(doc), key=lambda e: list(e.absolute_path))
        for e in errors[:5]:
            print(f"{what}: {'/'.join(map(str, e.absolute_path))}: {e.message[:300]}")
        failed |= bool(errors)
    kinds = [x["kind"] for x in json.loads(runs["the three files"])]
    if kinds != ["grid", "records", "plan"]:
        print("kinds:", kinds)
        failed = True
    sys.exit(1 if failed else 0)
