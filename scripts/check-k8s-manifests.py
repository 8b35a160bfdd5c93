#!/usr/bin/python3
"""Checks Kubernetes manifests against the API's models (python3-kubernetes), as a cluster's API server
would on `kubectl apply`: each document is read into the model class of its kind, and a field the model
does not have, a value of the wrong type or a missing required field fails the check.

Usage: scripts/check-k8s-manifests.py FILE.yaml...
"""
import re
import sys

import kubernetes.client as models
import yaml

SCALARS = {"str": str, "int": int, "bool": bool, "float": (int, float)}
KINDS = {("batch/v1", "Job"): "V1Job", ("apps/v1", "DaemonSet"): "V1DaemonSet"}


def check(value, type_name, where, problems):
    """Walks value as the model type type_name describes it; adds each mismatch to problems."""
    if value is None or type_name == "object":
        return
    if type_name.startswith("list["):
        if not isinstance(value, list):
            problems.append(f"{where}: a list expected, {type(value).__name__} found")
            return
        for index, item in enumerate(value):
            check(item, type_name[5:-1], f"{where}[{index}]", problems)
        return
    inner = re.fullmatch(r"dict\(str, (.*)\)", type_name)
    if inner:
        if not isinstance(value, dict):
            problems.append(f"{where}: a map expected, {type(value).__name__} found")
            return
        for key, item in value.items():
            check(item, inner.group(1), f"{where}.{key}", problems)
        return
    if type_name in SCALARS:
        # bool is an int in Python: a YAML true where a number belongs is still wrong.
        if not isinstance(value, SCALARS[type_name]) or (type_name != "bool" and isinstance(value, bool)):
            problems.append(f"{where}: {type_name} expected, {value!r} found")
        return
    model = getattr(models, type_name)
    if not isinstance(value, dict):
        problems.append(f"{where}: a {type_name} object expected, {value!r} found")
        return
    fields = {json_name: python_name for python_name, json_name in model.attribute_map.items()}
    for key, item in value.items():
        if key not in fields:
            problems.append(f"{where}.{key}: no such field in {type_name}")
        else:
            check(item, model.openapi_types[fields[key]], f"{where}.{key}", problems)


def main(paths):
    client = models.ApiClient()
    failed = False
    for path in paths:
        with open(path, encoding="utf-8") as stream:
            documents = [d for d in yaml.safe_load_all(stream) if d is not None]
        for document in documents:
            kind = KINDS.get((document.get("apiVersion"), document.get("kind")))
            name = f"{path}: {document.get('kind')} {document.get('metadata', {}).get('name')}"
            if kind is None:
                print(f"{name}: no model for apiVersion {document.get('apiVersion')} kind {document.get('kind')}")
                failed = True
                continue
            problems = []
            check(document, kind, document["kind"], problems)
            if not problems:
                # The client's own reading: its models refuse a missing required field.
                try:
                    client._ApiClient__deserialize(document, kind)
                except (ValueError, TypeError) as error:
                    problems.append(str(error))
            for problem in problems:
                print(f"{name}: {problem}")
            print(f"{name}: {'refused' if problems else 'valid'} as {kind}")
            failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
