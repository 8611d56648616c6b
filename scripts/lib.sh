# Shared by the scripts: installing Debian packages and configuring builds.
# Sourced, not run.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program needs.
QV_RUN_PACKAGES=(cmake g++ make qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev libexif-dev
                 libexiv2-dev
                 fonts-liberation2 fonts-droid-fallback
                 libqpdf-dev)
# What the tests add. A few window tests run on a virtual X server with real
# input; the installed desktop files are checked by their validators; the
# PDF tests read the book back with poppler's tools; the sources' format is
# checked with clang-format; the thumbnail cache and the file types are checked
# against GLib (gio) and xdg-mime.
QV_TEST_PACKAGES=(googletest libgtest-dev xvfb xauth xdotool
                  desktop-file-utils appstream libxml2-utils poppler-utils clang-format
                  libglib2.0-dev xdg-utils shared-mime-info qpdf)

# Installs the named Debian packages that are missing, through sudo when not root.
qv_install() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qv_build DIR [cmake options...]: configures (once) and builds DIR.
qv_build() {
  local dir=$1
  shift
  # ccache, where installed, makes rebuilds in several checkouts cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$QV_ROOT" -B "$dir" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
