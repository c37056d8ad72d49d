#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks it: its files, its declared
# dependencies, and the command line extracted from it running one case.
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_DIR}
cd "$build"
rm -f tovarin_*.deb
cpack -G DEB >/dev/null
deb=$(ls tovarin_*.deb)
fail() { echo "check-package: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/tovarin ./usr/bin/tovarin-calc ./usr/share/tovarin/qvhelp.htm \
         ./usr/share/applications/tovarin.desktop ./usr/share/icons/hicolor/scalable/apps/tovarin.svg \
         ./usr/share/man/man1/tovarin.1.gz ./usr/share/man/man1/tovarin-calc.1.gz; do
  grep -q " $f\$" <<<"$contents" || fail "$deb lacks $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins \
         fonts-wqy-microhei qt6-translations-l10n; do
  case ", $depends," in *", $d "* | *", $d,"*) ;; *) false ;; esac || fail "$deb does not declare $d (Depends: $depends)"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
out=$("$root/usr/bin/tovarin-calc" CSinglyRectDesignDlg 1006=169.53 1009=C35)
grep -q '单筋矩形截面受弯构件正截面配筋计算书' <<<"$out" || fail "the extracted tovarin-calc wrote no sheet"
grep -q '＝1189.5（mm2）' <<<"$out" || fail "the extracted tovarin-calc gave another area"
zcat "$root/usr/share/man/man1/tovarin-calc.1.gz" | grep -q '^\.TH TOVARIN-CALC' || fail "bad man page"
echo "check-package: $deb: files, dependencies and the extracted tovarin-calc are as expected"
