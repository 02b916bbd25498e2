# Checks a SARIF log against the OASIS 2.1.0 schema:
#   python3 checksarif.py SCHEMA LOG
import json
import sys

import jsonschema

with open(sys.argv[1], encoding="utf-8") as f:
    schema = json.load(f)
with open(sys.argv[2], encoding="utf-8") as f:
    log = json.load(f)
jsonschema.validate(log, schema)
