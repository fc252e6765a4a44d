#!/usr/bin/env python3
"""Checks the manifest set of one package version as mkinstaller writes it.

usage: winget_manifest_check.py SCHEMA_DIR MANIFEST_DIR PACKAGE_ID

Each of the three files is read as YAML, turned into JSON data and validated
against its schema, with every object of the schema closed: the schemas
allow unknown keys, so a misspelt key would otherwise pass unseen. The
schema comment line must name the schema's own $id (aka.ms links ignore
case; winget-create writes "defaultLocale" where the $id has "defaultlocale"). On success prints every
value as "file:path = JSON value", one a line, for the caller to check.
"""
import json
import os
import sys

import jsonschema
import yaml

FILES = (("version", ".yaml"), ("installer", ".installer.yaml"), ("defaultLocale", ".locale.en-US.yaml"))


def closed(schema):
    """The schema with additionalProperties false wherever properties are listed."""
    if isinstance(schema, dict):
        schema = {key: closed(value) for key, value in schema.items()}
        if "properties" in schema and "additionalProperties" not in schema:
            schema["additionalProperties"] = False
    elif isinstance(schema, list):
        schema = [closed(item) for item in schema]
    return schema


def leaves(value, path):
    if isinstance(value, dict):
        for key, item in value.items():
            yield from leaves(item, f"{path}.{key}" if path else key)
    elif isinstance(value, list):
        for index, item in enumerate(value):
            yield from leaves(item, f"{path}[{index}]")
    else:
        yield path, value


def main():
    schema_dir, manifest_dir, package_id = sys.argv[1:4]
    failed = False
    for kind, suffix in FILES:
        name = package_id + suffix
        with open(os.path.join(schema_dir, f"manifest.{kind}.1.6.0.json"), encoding="utf-8") as f:
            schema = json.load(f)
        with open(os.path.join(manifest_dir, name), encoding="utf-8") as f:
            text = f.read()
        if f"# yaml-language-server: $schema={schema['$id']}\n".lower() not in text.lower():
            print(f"{name}: no schema comment naming {schema['$id']}")
            failed = True
        # JSON's data model: what YAML read as a date or a float would show.
        data = json.loads(json.dumps(yaml.safe_load(text), default=str))
        for error in jsonschema.Draft7Validator(closed(schema)).iter_errors(data):
            print(f"{name}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
            failed = True
        for path, value in leaves(data, ""):
            print(f"{name}:{path} = {json.dumps(value, ensure_ascii=False)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
