#!/usr/bin/python3
"""Links a 32-bit exe so that --gc-sections also drops the functions nothing calls.

    ehgc-link.py <linker command...>      (the target's RULE_LAUNCH_LINK)

The i686 compilers give every inline or template function its own unwind-table section
(.eh_frame$<name>), and the linker's default script keeps every such section, so every
function that has one is kept too: each string member the C++ runtime instantiates, used or not.
This runs the link twice. The first keeps only the plain .eh_frame sections and lists which
functions the garbage collection drops; the second keeps the unwind tables of the functions that
stay, and only those. A function that stays always keeps its table, so exceptions unwind as
before; a link of anything else (an archive) runs as given.
"""
import os
import re
import subprocess
import sys
import tempfile


def default_script(driver):
    ld = subprocess.run([driver, "-print-prog-name=ld"], capture_output=True, text=True).stdout.strip()
    out = subprocess.run([ld, "--verbose"], capture_output=True, text=True).stdout
    # The default script is printed between two lines of '='.
    parts = re.split(r"^=+\s*$", out, flags=re.M)
    if len(parts) < 3 or "KEEP(*(.eh_frame*))" not in parts[1]:
        raise SystemExit("ehgc-link: the linker's default script keeps no .eh_frame* as expected")
    return parts[1]


def run(cmd):
    result = subprocess.run(cmd, capture_output=True, text=True)
    sys.stdout.write(result.stdout)
    return result


def main(cmd):
    if "-o" not in cmd or not cmd[cmd.index("-o") + 1].lower().endswith(".exe"):
        os.execvp(cmd[0], cmd)
    script = default_script(cmd[0])
    with tempfile.TemporaryDirectory() as tmp:
        # First link: the unwind-table pieces are not roots, so what stays is what is called.
        first = os.path.join(tmp, "first.x")
        with open(first, "w") as f:
            f.write(script.replace("KEEP(*(.eh_frame*))", "KEEP(*(.eh_frame)) *(.eh_frame$*)"))
        out = cmd.index("-o") + 1
        trial = cmd[:out] + [os.path.join(tmp, "first.exe")] + cmd[out + 1:]
        result = run(trial + ["-Wl,-T," + first, "-Wl,--print-gc-sections", "-Wl,-Map," + os.path.join(tmp, "first.map")])
        if result.returncode != 0:
            sys.stderr.write(result.stderr)
            return result.returncode
        removed = {re.sub(r"\[.*\]$", "", s) for s in re.findall(r"removing unused section '([^']+)'", result.stderr)}
        with open(os.path.join(tmp, "first.map")) as f:
            # Past the list of discarded sections: what the exe holds.
            layout = f.read().split("Linker script and memory map", 1)[-1]
        kept_text = set(re.findall(r"^ \.text\$(\S+)", layout, flags=re.M))
        # The pieces, dropped or (referenced from elsewhere) kept.
        pieces = sorted({s[len(".eh_frame$"):] for s in removed if s.startswith(".eh_frame$")}
                        | set(re.findall(r"^ \.eh_frame\$(\S+)", layout, flags=re.M)))
        live = set(pieces) & kept_text
        # Second link: the plain tables in their order, the kept functions' pieces, then the
        # terminator that crtend.o's table carries; the other pieces go. The second link may
        # choose another copy of a function that several objects carry; one whose piece was left
        # out has it added, and the link runs again.
        second = os.path.join(tmp, "second.x")
        second_map = os.path.join(tmp, "second.map")
        for _ in range(5):
            keep = "".join("    KEEP(*(.eh_frame$%s))\n" % name for name in sorted(live))
            with open(second, "w") as f:
                f.write(script.replace(
                    "KEEP(*(.eh_frame*))",
                    "KEEP(*(EXCLUDE_FILE(*crtend.o) .eh_frame))\n" + keep + "    KEEP(*crtend.o(.eh_frame))\n    *(.eh_frame$*)"))
            result = run(cmd + ["-Wl,-T," + second, "-Wl,-Map," + second_map])
            if result.returncode != 0:
                break
            with open(second_map) as f:
                layout = f.read().split("Linker script and memory map", 1)[-1]
            missing = (set(re.findall(r"^ \.text\$(\S+)", layout, flags=re.M)) & set(pieces)) - live
            if not missing:
                break
            live |= missing
        else:
            sys.stderr.write("ehgc-link: the kept functions and their unwind tables do not settle\n")
            return 1
        sys.stderr.write(result.stderr)
        return result.returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
