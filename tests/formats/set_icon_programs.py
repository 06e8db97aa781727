#!/usr/bin/python3
"""vornik-cli set-icon on real programs: MinGW-w64 builds of a small C program
with icons, a version block, a string table and a manifest, and Wine's own
programs. Each output is checked with pefile (no warnings, checksum), wrestool
(the group comes back as the icon given), vornik-cli groups, osslsigncode
(signatures) and, where Wine is installed, by running it.

usage: set_icon_programs.py VORNIK_CLI CORPUS_DIR WORK_DIR
Exit 77 (skipped) when MinGW-w64, pefile or wrestool are missing."""
import os
import shutil
import struct
import subprocess
import sys

try:
    import pefile
except ImportError:
    print("python3-pefile is not installed; skipped")
    sys.exit(77)

CLI, CORPUS, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "programs")
for tool in ("x86_64-w64-mingw32-gcc", "i686-w64-mingw32-gcc", "x86_64-w64-mingw32-windres", "wrestool"):
    if not shutil.which(tool):
        print(tool + " is not installed; skipped")
        sys.exit(77)

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON = 1, 3, 12, 14
failures = []


def fail(what):
    failures.append(what)
    print("FAIL: " + what)


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def corpus(name):
    return os.path.join(CORPUS, name)


# --- programs ---------------------------------------------------------------

shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
for f in ("hello.c", "hello.rc", "hello.manifest"):
    shutil.copy(os.path.join(HERE, f), WORK)
# Real programs are mostly code: without some bulk, pefile's warning about a
# file of mostly zero bytes fires for a tiny program given a large icon.
with open(os.path.join(WORK, "bulk.c"), "w") as f:
    f.write("const unsigned char bulk[] = {%s};\n" % ",".join(str(i * 37 % 255 + 1) for i in range(65536)))
shutil.copy(corpus("ico/webamp__32x32-0.ico"), os.path.join(WORK, "first.ico"))
shutil.copy(corpus("ico/pillow__hopper.ico"), os.path.join(WORK, "second.ico"))


def build(arch, name, strip=True, resources=True):
    gcc = arch + "-w64-mingw32-gcc"
    out = os.path.join(WORK, name)
    cmd = [gcc, "-O1", "hello.c", "bulk.c", "-o", out]
    if resources:
        res = os.path.join(WORK, arch + ".res")
        if not os.path.exists(res):
            r = run([arch + "-w64-mingw32-windres", "hello.rc", "-O", "coff", "-o", res], cwd=WORK)
            if r.returncode:
                sys.exit("windres failed: " + r.stderr)
        cmd.append(res)
    if strip:
        cmd.append("-s")
    r = run(cmd, cwd=WORK)
    if r.returncode:
        sys.exit(gcc + " failed: " + r.stderr)
    return out


x64 = build("x86_64", "x64.exe")
x64_symbols = build("x86_64", "x64-symbols.exe", strip=False)
x86 = build("i686", "x86.exe")
x64_bare = build("x86_64", "x64-bare.exe", resources=False)

# --- what a file holds ------------------------------------------------------


def resources(path):
    """(type, name, language) -> bytes of every resource."""
    pe = pefile.PE(path)
    out = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return out
    data = pe.__data__
    for t in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        tkey = str(t.name) if t.name is not None else t.id
        for n in t.directory.entries:
            nkey = str(n.name) if n.name is not None else n.id
            for l in n.directory.entries:
                off = pe.get_offset_from_rva(l.data.struct.OffsetToData)
                out[(tkey, nkey, l.id)] = bytes(data[off:off + l.data.struct.Size])
    return out


def group_members(record, kind):
    count = struct.unpack_from("<H", record, 4)[0]
    return [struct.unpack_from("<H", record, 6 + 14 * i + 12)[0] for i in range(count)]


def icon_images(data, extracted=False):
    """The images of an ICO/CUR with their directory bytes (width, height,
    colours, and the hot spot of a cursor). wrestool states a cursor image's
    size with the 4 hot-spot bytes of the resource counted in."""
    kind, count = struct.unpack_from("<HH", data, 2)
    out = []
    for i in range(count):
        w, h, c, _, f4, f6, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if extracted and kind == 2:
            size -= 4
        out.append((w, h, c, (f4, f6) if kind == 2 else None, bytes(data[off:off + size])))
    return kind, out


def check(label, source, out, icon, kind, group, language=1033, replaced=True):
    """The checks every output goes through."""
    if not os.path.exists(out):
        fail(label + ": no output")
        return
    pe = pefile.PE(out)
    if pe.get_warnings():
        fail(label + ": pefile warns " + repr(pe.get_warnings()))
    if pe.OPTIONAL_HEADER.CheckSum != pe.generate_checksum():
        fail(label + ": checksum %x, pefile computes %x" % (pe.OPTIONAL_HEADER.CheckSum, pe.generate_checksum()))
    size = os.path.getsize(out)
    for s in pe.sections:
        if s.PointerToRawData % pe.OPTIONAL_HEADER.FileAlignment or s.VirtualAddress % pe.OPTIONAL_HEADER.SectionAlignment:
            fail(label + ": section %r not aligned" % s.Name)
        if s.PointerToRawData + s.SizeOfRawData > size:
            fail(label + ": section %r runs past the end" % s.Name)
    last = pe.sections[-1]
    want_image = (last.VirtualAddress + max(last.Misc_VirtualSize, 1) + pe.OPTIONAL_HEADER.SectionAlignment - 1) \
        // pe.OPTIONAL_HEADER.SectionAlignment * pe.OPTIONAL_HEADER.SectionAlignment
    if pe.OPTIONAL_HEADER.SizeOfImage != want_image:
        fail(label + ": SizeOfImage %x, sections end at %x" % (pe.OPTIONAL_HEADER.SizeOfImage, want_image))
    # Sections of the input keep name, address, flags and bytes.
    before = pefile.PE(source)
    for s, t in zip(before.sections, pe.sections):
        if (s.Name, s.VirtualAddress, s.Characteristics) != (t.Name, t.VirtualAddress, t.Characteristics):
            fail(label + ": section %r changed its header" % s.Name)
        rsrc = before.OPTIONAL_HEADER.DATA_DIRECTORY[2].VirtualAddress
        if s.VirtualAddress != rsrc and s.get_data() != t.get_data():
            fail(label + ": section %r changed its bytes" % s.Name)
    old, new = resources(source), resources(out)
    image_type, group_type = (RT_CURSOR, RT_GROUP_CURSOR) if kind == 2 else (RT_ICON, RT_GROUP_ICON)
    # Every other resource, byte for byte; groups that stay keep their images.
    for key, data in old.items():
        if key[0] == image_type:
            continue
        if key[0] == group_type and str(key[1]) == str(group) and (replaced and key[2] == language):
            continue
        if new.get(key) != data:
            fail(label + ": resource %r changed or went" % (key,))
        if key[0] == group_type:
            for m in group_members(data, kind):
                if old.get((image_type, m, key[2])) != new.get((image_type, m, key[2])):
                    fail(label + ": image %d of group %r changed" % (m, key[1]))
    # wrestool gives the group back as the icon given.
    xdir = out + ".x"
    shutil.rmtree(xdir, ignore_errors=True)
    os.makedirs(xdir)
    r = run(["wrestool", "-x", "--type=%d" % group_type, "--name=%s" % group, "--language=%d" % language,
             "-o", xdir, out])
    files = os.listdir(xdir)
    if r.returncode or len(files) != 1:
        fail(label + ": wrestool -x gave %r %s" % (files, r.stderr))
    else:
        with open(os.path.join(xdir, files[0]), "rb") as f:
            got = icon_images(f.read(), extracted=True)
        with open(icon, "rb") as f:
            given = icon_images(f.read())
        if got != given:
            fail(label + ": wrestool extracts a group other than the icon given")
    # Our own reader lists it.
    r = run([CLI, "groups", out])
    title = "%s group %s, language %d: %d image" % ("cursor" if kind == 2 else "icon", group, language,
                                                     len(icon_images(open(icon, "rb").read())[1]))
    if title not in r.stdout:
        fail(label + ": groups does not list %r:\n%s%s" % (title, r.stdout, r.stderr))


def set_icon(label, program, icon, out, *options, expect=0):
    r = run([CLI, "set-icon", program, icon, "-o", out] + list(options))
    if r.returncode != expect:
        fail(label + ": set-icon exit %d, expected %d: %s" % (r.returncode, expect, r.stderr))
    return r


def out_path(name):
    return os.path.join(WORK, name)


big = corpus("ico/pillow__python.ico")      # 15 KB: more than the old resource section holds
small = corpus("ico/webamp__16x16-0.ico")    # fits where the old resources were
cursor = corpus("cur/emvaized-old__cursors__arrow.cur")

# A new last section behind a section that is not last; then in place.
set_icon("x64 new section", x64, big, out_path("a.exe"))
check("x64 new section", x64, out_path("a.exe"), big, 1, "IDI_APP")
if len(pefile.PE(out_path("a.exe")).sections) != len(pefile.PE(x64).sections) + 1:
    fail("x64 new section: no section was added")
set_icon("x86 in place", x86, small, out_path("b.exe"))
check("x86 in place", x86, out_path("b.exe"), small, 1, "IDI_APP")
pb, px = pefile.PE(out_path("b.exe")), pefile.PE(x86)
if (len(pb.sections), pb.OPTIONAL_HEADER.DATA_DIRECTORY[2].VirtualAddress) != \
        (len(px.sections), px.OPTIONAL_HEADER.DATA_DIRECTORY[2].VirtualAddress) or \
        os.path.getsize(out_path("b.exe")) != os.path.getsize(x86):
    fail("x86 in place: the resources moved although they fit")

# An unstripped program ends with its COFF symbol table, which moves behind the new section.
r = set_icon("x64 symbols", x64_symbols, big, out_path("c.exe"))
check("x64 symbols", x64_symbols, out_path("c.exe"), big, 1, "IDI_APP")
if "PointerToSymbolTable" not in r.stderr:
    fail("x64 symbols: the note does not mention the symbol table: " + r.stderr)
pi, po = pefile.PE(x64_symbols), pefile.PE(out_path("c.exe"))
a, b = pi.FILE_HEADER.PointerToSymbolTable, po.FILE_HEADER.PointerToSymbolTable
if not a or b <= a or open(x64_symbols, "rb").read()[a:] != open(out_path("c.exe"), "rb").read()[b:]:
    fail("x64 symbols: the symbol and string tables were not kept behind the new section")
r = run(["x86_64-w64-mingw32-objdump", "-t", out_path("c.exe")])
if r.returncode or "main" not in r.stdout:
    fail("x64 symbols: objdump cannot read the moved symbol table: " + r.stderr)

# Other groups, a cursor group, a program without resources.
set_icon("x64 group 2", x64, big, out_path("d.exe"), "--group", "2", "--lang", "1033")
check("x64 group 2", x64, out_path("d.exe"), big, 1, 2)
set_icon("x64 add", x64, big, out_path("e.exe"), "--add")
check("x64 add", x64, out_path("e.exe"), big, 1, 3, replaced=False)
set_icon("x64 cursor", x64, cursor, out_path("f.cur.exe"))
check("x64 cursor", x64, out_path("f.cur.exe"), cursor, 2, 1, language=0, replaced=False)
set_icon("x64 bare", x64_bare, big, out_path("g.exe"))
check("x64 bare", x64_bare, out_path("g.exe"), big, 1, 1, language=0, replaced=False)
set_icon("missing group", x64, big, out_path("h.exe"), "--group", "NOPE", expect=1)
if os.path.exists(out_path("h.exe")):
    fail("missing group: an output was written")

# Signed programs.
if shutil.which("osslsigncode") and shutil.which("openssl"):
    key, cert = out_path("key.pem"), out_path("cert.pem")
    run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert, "-days", "2",
         "-subj", "/CN=vornik test"])
    signed = out_path("signed.exe")
    r = run(["osslsigncode", "sign", "-certs", cert, "-key", key, "-in", x64, "-out", signed])
    if r.returncode:
        fail("osslsigncode sign failed: " + r.stdout + r.stderr)
    r = set_icon("signed", signed, big, out_path("s.exe"), expect=1)
    if "signed" not in r.stderr or "certificate" not in r.stderr or os.path.exists(out_path("s.exe")):
        fail("signed: not refused naming the signature, or written: " + r.stderr)
    r = set_icon("strip", signed, big, out_path("s.exe"), "--strip-signature")
    if "stripped the signature" not in r.stderr:
        fail("strip: does not say it stripped the signature: " + r.stderr)
    check("strip", x64, out_path("s.exe"), big, 1, "IDI_APP")
    d = pefile.PE(out_path("s.exe")).OPTIONAL_HEADER.DATA_DIRECTORY[4]
    if d.VirtualAddress or d.Size:
        fail("strip: a security directory is left")
    r = run(["osslsigncode", "verify", "-in", out_path("s.exe")])
    if r.returncode == 0 or "No signature found" not in r.stdout + r.stderr:
        fail("strip: osslsigncode does not say unsigned: " + r.stdout + r.stderr)
else:
    print("osslsigncode or openssl missing: signature cases skipped")

# An installer's payload after the sections is found by its offset: it may not move.
payload = bytes((i * 7 + 1) % 251 + 1 for i in range(3000))
with open(x64, "rb") as f:
    data = f.read()
with open(out_path("payload.exe"), "wb") as f:
    f.write(data + payload)
r = set_icon("payload", out_path("payload.exe"), big, out_path("p.exe"), expect=1)
if "payload" not in r.stderr or os.path.exists(out_path("p.exe")):
    fail("payload: not refused, or written: " + r.stderr)
set_icon("payload in place", out_path("payload.exe"), small, out_path("p.exe"))
with open(out_path("p.exe"), "rb") as f:
    if not f.read().endswith(payload):
        fail("payload in place: the payload was not kept where it was")

# Wine's own programs (they end with a symbol table too).
wine_dir = "/usr/lib/x86_64-linux-gnu/wine"
wine_programs = [os.path.join(wine_dir, a, p) for a in ("x86_64-windows", "i386-windows")
                 for p in ("notepad.exe", "winemine.exe", "hostname.exe")]
wine_programs = [p for p in wine_programs if os.path.exists(p)]
if not wine_programs:
    print("Wine's programs (libwine) are not installed: those cases skipped")
large = corpus("ico/pillow__hopper_256x256.ico")
for i, program in enumerate(wine_programs):
    label = "wine " + os.path.relpath(program, wine_dir)
    out = out_path("wine%d.exe" % i)
    set_icon(label, program, large, out)
    groups = [k for k in resources(program) if k[0] == RT_GROUP_ICON]
    if groups:
        check(label, program, out, large, 1, groups[0][1], language=groups[0][2])
    else:
        check(label, program, out, large, 1, 1, language=0, replaced=False)

# The programs still run.
wine = shutil.which("wine64") or ("/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else None)
if wine:
    env = dict(os.environ, WINEPREFIX=out_path("wineprefix"), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               DISPLAY="")
    for name in ("a.exe", "c.exe", "e.exe", "g.exe", "s.exe"):
        if not os.path.exists(out_path(name)):
            continue
        r = run([wine, out_path(name)], env=env, timeout=300)
        if r.returncode != 7 or "hello from a test program" not in r.stdout:
            fail("wine %s: exit %d, %r" % (name, r.returncode, r.stdout))
    hostname = [p for p in wine_programs if p.endswith("x86_64-windows/hostname.exe")]
    if hostname:
        out = out_path("wine%d.exe" % wine_programs.index(hostname[0]))
        r = run([wine, out], env=env, timeout=300)
        if r.returncode != 0 or not r.stdout.strip():
            fail("wine hostname: exit %d, %r" % (r.returncode, r.stdout))
else:
    print("wine64 is not installed: the programs are not run")

if failures:
    print("%d failure(s)" % len(failures))
    sys.exit(1)
print("all set-icon program checks passed")
