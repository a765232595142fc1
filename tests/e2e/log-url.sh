#!/bin/sh
# The test prefix's http/https handler: records each address the shell hands
# over, one per line, byte for byte.
printf '%s\n' "$1" >>"${TZ_URL_LOG:-$WINEPREFIX/drive_c/tz-urls.log}"
