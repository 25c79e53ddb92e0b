# Sourced: require_i386 fails with a clear message when this machine cannot run 32-bit x86
# programs. The program, Wine's 32-bit loader and every test under Wine are such programs; some
# kernels refuse them outright (execve answers "Exec format error"), and then nothing under Wine
# can run, however the tests are set up.
require_i386() {
    local loader=/lib/ld-linux.so.2  # the 32-bit C library's loader, which wine32 brings
    if "$loader" --version >/dev/null 2>&1; then
        return 0
    fi
    {
        echo "This machine cannot run 32-bit x86 programs: $loader does not start ($("$loader" --version 2>&1 | head -n 1))."
        dmesg 2>/dev/null | grep -i -m 2 -E 'ia-?32|32-bit emulation' | sed 's/^/  kernel: /' || true
        echo "Wine runs the 32-bit program and its tests only where the kernel runs 32-bit code."
    } >&2
    return 1
}
