#!/usr/bin/env bash
# Builds the Debian package and checks it on this machine.
set -euo pipefail
