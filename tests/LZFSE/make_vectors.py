#!/usr/bin/env python3
"""Builds the LZFSE test vectors in data/ from the stream format description alone.

No reference LZFSE implementation is packaged for this machine, so this script is a second,
independent implementation of the format: it assembles raw, LZVN, bvx1 and bvx2 blocks bit by
bit (its FSE encoder is derived by inverting the decoder's state table, not by the usual
encoder formulas) and computes every expected output with its own decoder. The C++ tests
decode these vectors and compare with the .bin originals.

    python3 make_vectors.py            # rewrite data/*.lzfse and data/*.bin
    python3 make_vectors.py --check STREAM ORIGINAL   # decode STREAM here, compare
"""
import pathlib
import struct
import sys

DATA = pathlib.Path(__file__).resolve().parent / "data"

L_EXTRA = [0] * 16 + [2, 3, 5, 8]
L_BASE = list(range(16)) + [16, 20, 28, 60]
M_EXTRA = [0] * 16 + [3, 5, 8, 11]
M_BASE = list(range(16)) + [16, 24, 56, 312]
D_EXTRA = [s // 4 for s in range(64)]
D_BASE = [0]
for s in range(63):
    D_BASE.append(D_BASE[-1] + (1 << D_EXTRA[s]))
L_STATES, M_STATES, D_STATES, LIT_STATES = 64, 64, 256, 1024


def symbol_of(value, base):
    return max(s for s in range(len(base)) if base[s] <= value)


# ---------------------------------------------------------------- FSE tables (decoder view)
def decoder_table(freq, n):
    """State -> (symbol, bits to read, delta), the format's definition of a table."""
    table = []
    for sym, f in enumerate(freq):
        if f == 0:
            continue
        k = n.bit_length() - f.bit_length()
        j0 = ((2 * n) >> k) - f
        for j in range(f):
            if j < j0:
                table.append((sym, k, ((f + j) << k) - n))
            else:
                table.append((sym, k - 1, (j - j0) << (k - 1)))
    assert len(table) == n
    return table


def normalize(counts, n):
    total = sum(counts)
    freq = [0] * len(counts)
    if total == 0:
        return freq
    for i, c in enumerate(counts):
        if c:
            freq[i] = max(1, c * n // total)
    while sum(freq) < n:
        freq[freq.index(max(freq))] += 1
    while sum(freq) > n:
        freq[freq.index(max(freq))] -= 1
    return freq


class BitSink:
    """Bits in the order the encoder produces them; the decoder reads them last-first."""

    def __init__(self):
        self.value, self.count = 0, 0

    def push(self, bits, n):
        assert 0 <= bits < (1 << n) or n == 0
        self.value |= bits << self.count
        self.count += n

    def payload(self, pad_front=b""):
        nbytes = (self.count + 7) // 8
        return pad_front + self.value.to_bytes(nbytes, "little"), self.count - 8 * nbytes


def fse_encode(table, state, sym, sink):
    """Find the decoder state that emits `sym` and then moves to `state`."""
    for t, (s, nb, delta) in enumerate(table):
        if s == sym and delta <= state < delta + (1 << nb):
            sink.push(state - delta, nb)
            return t
    raise AssertionError("no transition")


# ---------------------------------------------------------------- LZ parse for FSE blocks
def greedy_parse(data, min_match=4, max_d=262139):
    """(L, M, D) triples covering data; simple and unlike the C++ match finder."""
    lmds, lits, i, start, seen = [], bytearray(), 0, 0, {}
    while i + min_match <= len(data):
        key = bytes(data[i:i + min_match])
        ref = seen.get(key)
        seen[key] = i
        if ref is not None and i - ref <= max_d:
            m = min_match
            while i + m < len(data) and data[ref + m] == data[i + m]:
                m += 1
            lits += data[start:i]
            lmds.append([i - start, m, i - ref])
            i += m
            start = i
        else:
            i += 1
    lits += data[start:]
    if len(data) > start:
        lmds.append([len(data) - start, 0, 1])
    # Split values the format cannot hold.
    out = []
    for l, m, d in lmds:
        while l > 315:
            out.append([315, 0, 1]); l -= 315  # a literal-only triple's D is unused but checked
        while m > 2359:
            out.append([l, 2359, d]); l = 0; m -= 2359
        out.append([l, m, d])
    return out, bytes(lits)


def fse_block_fields(data, lmds, lits):
    raw = sum(l + m for l, m, _ in lmds)
    lits = bytes(lits) + bytes((-len(lits)) % 4)
    coded_d, prev = [], None
    for _, _, d in lmds:
        coded_d.append(0 if d == prev else d)
        prev = d
    lsym = [symbol_of(l, L_BASE) for l, _, _ in lmds]
    msym = [symbol_of(m, M_BASE) for _, m, _ in lmds]
    dsym = [symbol_of(d, D_BASE) for d in coded_d]
    lf = normalize([lsym.count(s) for s in range(20)], L_STATES)
    mf = normalize([msym.count(s) for s in range(20)], M_STATES)
    df = normalize([dsym.count(s) for s in range(64)], D_STATES)
    litf = normalize([lits.count(bytes([b])) for b in range(256)], LIT_STATES)

    lit_table = decoder_table(litf, LIT_STATES)
    sink, states = BitSink(), [0, 0, 0, 0]
    for g in range(len(lits) - 4, -1, -4):
        for k in (3, 2, 1, 0):
            states[k] = fse_encode(lit_table, states[k], lits[g + k], sink)
    lit_payload, lit_bits = sink.payload()

    lt, mt, dt = decoder_table(lf, L_STATES), decoder_table(mf, M_STATES), decoder_table(df, D_STATES)
    sink, ls, ms, ds = BitSink(), 0, 0, 0
    for i in range(len(lmds) - 1, -1, -1):
        l, m, _ = lmds[i]
        d = coded_d[i]
        sink.push(d - D_BASE[dsym[i]], D_EXTRA[dsym[i]])
        ds = fse_encode(dt, ds, dsym[i], sink)
        sink.push(m - M_BASE[msym[i]], M_EXTRA[msym[i]])
        ms = fse_encode(mt, ms, msym[i], sink)
        sink.push(l - L_BASE[lsym[i]], L_EXTRA[lsym[i]])
        ls = fse_encode(lt, ls, lsym[i], sink)
    lmd_payload, lmd_bits = sink.payload(pad_front=bytes(8))
    return dict(raw=raw, n_lit=len(lits), n_lmd=len(lmds), lit_payload=lit_payload, lit_bits=lit_bits,
                lit_states=states, lmd_payload=lmd_payload, lmd_bits=lmd_bits, l=ls, m=ms, d=ds,
                freq=lf + mf + df + litf)


def v1_block(f):
    h = b"bvx1" + struct.pack("<6I", f["raw"], len(f["lit_payload"]) + len(f["lmd_payload"]), f["n_lit"],
                              f["n_lmd"], len(f["lit_payload"]), len(f["lmd_payload"]))
    h += struct.pack("<i4H", f["lit_bits"], *f["lit_states"])
    h += struct.pack("<i3H", f["lmd_bits"], f["l"], f["m"], f["d"])
    h += struct.pack("<360H", *f["freq"]) + bytes(2)
    assert len(h) == 772
    return h + f["lit_payload"] + f["lmd_payload"]


def freq_code(v):
    small = [(0, 2), (2, 2), (1, 3), (5, 3), (3, 5), (11, 5), (19, 5), (27, 5)]
    if v < 8:
        return small[v]
    if v < 24:
        return 7 + ((v - 8) << 4), 8
    return 15 + ((v - 24) << 4), 14


def v2_block(f):
    sink = BitSink()
    for v in f["freq"]:
        sink.push(*freq_code(v))
    tables = sink.value.to_bytes((sink.count + 7) // 8, "little")
    w0 = f["n_lit"] | len(f["lit_payload"]) << 20 | f["n_lmd"] << 40 | (f["lit_bits"] + 7) << 60
    s = f["lit_states"]
    w1 = s[0] | s[1] << 10 | s[2] << 20 | s[3] << 30 | len(f["lmd_payload"]) << 40 | (f["lmd_bits"] + 7) << 60
    w2 = (32 + len(tables)) | f["l"] << 32 | f["m"] << 42 | f["d"] << 52
    return b"bvx2" + struct.pack("<I3Q", f["raw"], w0, w1, w2) + tables + f["lit_payload"] + f["lmd_payload"]


# ---------------------------------------------------------------- LZVN assembly
def lzvn_op(kind, lits=b"", m=0, d=0):
    L = len(lits)
    if kind == "sml_d":
        assert d < 1536 and 3 <= m <= 10
        return bytes([L << 6 | (m - 3) << 3 | d >> 8, d & 255]) + lits
    if kind == "med_d":
        return bytes([0xA0 | L << 3 | (m - 3) >> 2]) + struct.pack("<H", d << 2 | ((m - 3) & 3)) + lits
    if kind == "lrg_d":
        return bytes([L << 6 | (m - 3) << 3 | 7]) + struct.pack("<H", d) + lits
    if kind == "pre_d":
        return bytes([L << 6 | (m - 3) << 3 | 6]) + lits
    if kind == "sml_l":
        return bytes([0xE0 | L]) + lits
    if kind == "lrg_l":
        return bytes([0xE0, L - 16]) + lits
    if kind == "sml_m":
        return bytes([0xF0 | m])
    if kind == "lrg_m":
        return bytes([0xF0, m - 16])
    if kind == "nop":
        return b"\x0e"
    raise ValueError(kind)


def lzvn_decode(payload):
    out, i, d = bytearray(), 0, 0
    while True:
        op = payload[i]
        if op == 0x06:
            assert i + 8 == len(payload)
            return bytes(out)
        if op in (0x0E, 0x16):
            i += 1; continue
        if op >= 0xF0:
            m, n = (payload[i + 1] + 16, 2) if op == 0xF0 else (op & 15, 1)
            L = 0
        elif op >= 0xE0:
            L, n = (payload[i + 1] + 16, 2) if op == 0xE0 else (op & 15, 1)
            m = 0
        elif 0xA0 <= op < 0xC0:
            L, t = (op >> 3) & 3, struct.unpack_from("<H", payload, i + 1)[0]
            m, d, n = ((op & 7) << 2 | (t & 3)) + 3, t >> 2, 3
        elif op & 7 == 7:
            L, m, d, n = op >> 6, ((op >> 3) & 7) + 3, struct.unpack_from("<H", payload, i + 1)[0], 3
        elif op & 7 == 6:
            L, m, n = op >> 6, ((op >> 3) & 7) + 3, 1
        else:
            L, m, d, n = op >> 6, ((op >> 3) & 7) + 3, (op & 7) << 8 | payload[i + 1], 2
        out += payload[i + n:i + n + L]
        i += n + L
        for _ in range(m):
            out.append(out[-d])


def lzvn_block(ops):
    payload = b"".join(lzvn_op(*op) for op in ops) + b"\x06" + bytes(7)
    original = lzvn_decode(payload)
    return b"bvxn" + struct.pack("<II", len(original), len(payload)) + payload, original


# ---------------------------------------------------------------- stream decoder (for --check)
def fse_read_block(buf, pos, out):
    magic = buf[pos:pos + 4]
    if magic == b"bvx1":
        raw, _, n_lit, n_lmd, lit_size, lmd_size = struct.unpack_from("<6I", buf, pos + 4)
        lit_bits, *lit_states = struct.unpack_from("<i4H", buf, pos + 28)
        lmd_bits, ls, ms, ds = struct.unpack_from("<i3H", buf, pos + 40)
        freq = list(struct.unpack_from("<360H", buf, pos + 50))
        hsize = 772
    else:
        raw, w0, w1, w2 = struct.unpack_from("<I3Q", buf, pos + 4)
        f = lambda w, o, n: (w >> o) & ((1 << n) - 1)
        n_lit, lit_size, n_lmd, lit_bits = f(w0, 0, 20), f(w0, 20, 20), f(w0, 40, 20), f(w0, 60, 3) - 7
        lit_states = [f(w1, 10 * i, 10) for i in range(4)]
        lmd_size, lmd_bits = f(w1, 40, 20), f(w1, 60, 3) - 7
        hsize, ls, ms, ds = f(w2, 0, 32), f(w2, 32, 10), f(w2, 42, 10), f(w2, 52, 10)
        bits = int.from_bytes(buf[pos + 32:pos + hsize], "little")
        freq = []
        for _ in range(360):
            for v in range(1048):
                code, n = freq_code(v)
                if bits & ((1 << n) - 1) == code:
                    freq.append(v); bits >>= n; break
    p = pos + hsize

    def reader(payload, final_bits):
        value, count = int.from_bytes(payload, "little"), 8 * len(payload) + final_bits

        def pull(n):
            nonlocal count
            count -= n
            return (value >> count) & ((1 << n) - 1)
        return pull

    pull = reader(buf[p:p + lit_size], lit_bits)
    table = decoder_table(freq[104:], LIT_STATES)
    lits = bytearray()
    for _ in range(0, n_lit, 4):
        for k in range(4):
            sym, nb, delta = table[lit_states[k]]
            lits.append(sym)
            lit_states[k] = delta + pull(nb)
    pull = reader(buf[p + lit_size:p + lit_size + lmd_size], lmd_bits)
    tabs = [decoder_table(freq[:20], L_STATES), decoder_table(freq[20:40], M_STATES),
            decoder_table(freq[40:104], D_STATES)]
    st, d, li, start = [ls, ms, ds], None, 0, len(out)
    for _ in range(n_lmd):
        vals = []
        for t, extra, base in zip(range(3), (L_EXTRA, M_EXTRA, D_EXTRA), (L_BASE, M_BASE, D_BASE)):
            sym, nb, delta = tabs[t][st[t]]
            st[t] = delta + pull(nb)
            vals.append(base[sym] + pull(extra[sym]))
        l, m, nd = vals
        d = nd or d
        out += lits[li:li + l]
        li += l
        assert d is not None and 0 < d <= len(out), "distance out of range"
        for _ in range(m):
            out.append(out[-d])
    assert len(out) - start == raw
    return p + lit_size + lmd_size


def decode_stream(buf):
    out, pos = bytearray(), 0
    while True:
        magic = buf[pos:pos + 4]
        if magic == b"bvx$":
            return bytes(out)
        if magic == b"bvx-":
            n = struct.unpack_from("<I", buf, pos + 4)[0]
            out += buf[pos + 8:pos + 8 + n]; pos += 8 + n
        elif magic == b"bvxn":
            raw, n = struct.unpack_from("<II", buf, pos + 4)
            part = lzvn_decode(buf[pos + 12:pos + 12 + n])  # matches into earlier blocks not handled here
            assert len(part) == raw
            out += part; pos += 12 + n
        elif magic in (b"bvx1", b"bvx2"):
            pos = fse_read_block(buf, pos, out)
        else:
            raise ValueError("unknown block %r" % magic)


# ---------------------------------------------------------------- the vectors
def xml_text(groups):
    rows = []
    for g in range(groups):
        rows.append('<group name="Group %d">' % g)
        for i in range(6):
            rows.append('  <color name="accent-%d" light="#%06X" dark="#%06X"/>' % (i, (g * 7919 + i * 104729) % 0xFFFFFF,
                                                                                   (g * 31 + i) % 0xFFFFFF))
        rows.append("</group>")
    return ("\n".join(rows) + "\n").encode()


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        stream, original = pathlib.Path(sys.argv[2]).read_bytes(), pathlib.Path(sys.argv[3]).read_bytes()
        ok = decode_stream(stream) == original
        print("match" if ok else "MISMATCH")
        return 0 if ok else 1

    vectors = {}
    vectors["empty-raw"] = (b"bvx-" + bytes(4) + b"bvx$", b"")
    text = b"Raw block: stored as is."
    vectors["raw"] = (b"bvx-" + struct.pack("<I", len(text)) + text + b"bvx$", text)

    block, original = lzvn_block([
        ("sml_l", b"abcdefgh"),                      # 8 literals
        ("sml_d", b"XY", 6, 10),                     # 2 literals, copy 6 from 10 back
        ("pre_d", b"Z", 4),                          # previous distance again
        ("sml_m", b"", 5),                           # match only, previous distance
        ("nop",),
        ("lrg_l", bytes(range(32, 32 + 40))),        # 40 literals
        ("med_d", b"", 30, 45),                      # medium distance, long match
        ("lrg_m", b"", 100),                         # long match at the previous distance
        ("sml_d", b"", 3, 1),                        # run of one byte
        ("lrg_d", b"ok!", 4, 200),                   # large-distance form (short distance is legal)
        ("sml_l", b"end"),
    ])
    vectors["lzvn-opcodes"] = (block + b"bvx$", original)

    text = xml_text(40)
    lmds, lits = greedy_parse(text)
    fields = fse_block_fields(text, lmds, lits)
    vectors["v1-xml"] = (v1_block(fields) + b"bvx$", text)
    vectors["v2-xml"] = (v2_block(fields) + b"bvx$", text)

    # Several blocks of different kinds in one stream, with matches into earlier blocks.
    first = xml_text(8)
    second = first[100:900] + b"tail of the second block"
    lmds2, lits2 = greedy_parse(first + second)
    # Keep only the triples that produce the second part.
    produced, keep = 0, []
    for l, m, d in lmds2:
        if produced >= len(first):
            keep.append([l, m, d])
        produced += l + m
    if sum(l + m for l, m, _ in keep) == len(second):
        lit_start = len(lits2) - sum(l for l, _, _ in keep)
        f2 = fse_block_fields(second, keep, lits2[lit_start:])
        raw_first = b"bvx-" + struct.pack("<I", len(first)) + first
        vectors["multi-block"] = (raw_first + v2_block(f2) + b"bvx$", first + second)

    runs = bytes([0x41] * 3000) + bytes(range(256)) * 8 + bytes([0x42] * 5000)
    lmds, lits = greedy_parse(runs)
    vectors["v2-runs"] = (v2_block(fse_block_fields(runs, lmds, lits)) + b"bvx$", runs)

    DATA.mkdir(exist_ok=True)
    for name, (stream, original) in vectors.items():
        assert decode_stream(stream) == original, name
        (DATA / (name + ".lzfse")).write_bytes(stream)
        (DATA / (name + ".bin")).write_bytes(original)
        print("%-14s %6d bytes -> %6d bytes" % (name, len(original), len(stream)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
