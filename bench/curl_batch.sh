#!/usr/bin/env bash
# What a user would otherwise script: every number's two requests (courier
# detection, then the detail page for the courier it names) by curl, 8 numbers at
# once. Usage: curl_batch.sh HOST:PORT < numbers
host=$1
xargs -P 8 -I{} sh -c '
  code=$(curl -s "http://$0/autonumber/auto?num=$1" | sed -n "s/.*\"comCode\":\"\([^\"]*\)\".*/\1/p")
  curl -s -o /dev/null "http://$0/queryDetail.php?com=$code&nu=$1"' "$host" {}
