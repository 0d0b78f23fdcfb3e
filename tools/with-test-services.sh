#!/usr/bin/env bash
# Runs one command with the tests' private servers up, then stops them.
set -euo pipefail
source "$(dirname "$0")/test-services.sh"
trap stop_test_services EXIT
start_test_services
"$@"
