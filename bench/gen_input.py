#!/usr/bin/env python3
"""Writes the benchmark inputs, deterministically (the same bytes on every run).

usage: bench/gen_input.py prose OUT   ~100 MB Shift-JIS prose, CR LF, long paragraph lines
                                      (about 300 bytes on average, some over 30,000)
       bench/gen_input.py short OUT   1,000,000 short lines (about 32 bytes each), CR LF
       bench/gen_input.py lines OUT   ~100 MB of the same prose in 1,000,000 lines, CR LF

The text is synthesised from a small vocabulary of our own: sentences of Japanese words with
kana, kanji, full-width and half-width letters and digits, punctuation, and now and then an
English phrase or a number, so that every conversion finds work to do.
"""
import random
import sys

SUBJECTS = ["私は", "彼女は", "町の人々は", "古い友人が", "店の主人は", "子どもたちは",
            "旅人は", "先生が", "猫が", "隣の家の犬は", "ｶﾒﾗﾏﾝは", "ＡＩ研究者は"]
OBJECTS = ["手紙を", "本を", "川沿いの道を", "小さな店を", "山の上の寺を", "新しい計画を",
           "昔の写真を", "雨の音を", "ﾃﾞｰﾀを", "ＣＤを", "駅前の広場を", "窓の外の景色を"]
VERBS = ["読んだ", "見ていた", "歩いた", "思い出した", "探していた", "書きはじめた",
         "眺めていた", "聞いていた", "確かめた", "選んだ", "片づけた", "話しあった"]
ADVERBS = ["静かに", "ゆっくりと", "もう一度", "なぜか", "いつものように", "ずいぶん長く",
           "朝早く", "夜遅くまで", "しばらく", "ふと"]
TIMES = ["昨日", "今朝", "三月の終わりに", "去年の夏", "二〇二六年に", "第３章で", "午後３時ごろ",
         "10時半に", "週末には"]
ENGLISH = ["quick brown fox", "don't stop", "well-known", "Version 2.5", "e-mail", "OK"]
ENDINGS = ["。", "。", "。", "！", "？", "……。"]
QUOTES = [("「", "」"), ("『", "』"), ("（", "）")]


def sentence(rng):
    parts = []
    if rng.random() < 0.4:
        parts.append(rng.choice(TIMES) + "、")
    parts.append(rng.choice(SUBJECTS))
    if rng.random() < 0.5:
        parts.append(rng.choice(ADVERBS))
    parts.append(rng.choice(OBJECTS))
    if rng.random() < 0.1:
        parts.append(" " + rng.choice(ENGLISH) + " と言いながら、")
    if rng.random() < 0.1:
        parts.append("%d円の" % rng.randrange(1, 100000))
    parts.append(rng.choice(VERBS))
    text = "".join(parts) + rng.choice(ENDINGS)
    if rng.random() < 0.15:
        left, right = rng.choice(QUOTES)
        text = left + text[:-1] + right
    return text


def paragraph(rng, target_bytes):
    parts, size = ["　"], 2
    while size < target_bytes:
        parts.append(sentence(rng))
        size += len(parts[-1].encode("cp932"))
    return "".join(parts)


def write_prose(out):
    rng = random.Random(20261207)
    size = 0
    with open(out, "wb") as f:
        while size < 100_000_000:
            r = rng.random()
            if r < 0.002:
                line = paragraph(rng, rng.randrange(30_000, 60_000))
            elif r < 0.25:
                line = ""
            elif r < 0.35:
                line = sentence(rng)
            else:
                line = paragraph(rng, rng.randrange(100, 520))
            data = line.encode("cp932") + b"\r\n"
            f.write(data)
            size += len(data)


def write_short(out):
    rng = random.Random(1000000)
    with open(out, "wb") as f:
        for n in range(1_000_000):
            kind = rng.random()
            if kind < 0.3:
                line = "%d %s" % (rng.randrange(0, 10**6), rng.choice(OBJECTS) + rng.choice(VERBS))
            elif kind < 0.5:
                line = rng.choice(ENGLISH) + " " + rng.choice(SUBJECTS) + rng.choice(VERBS)
            else:
                line = rng.choice(SUBJECTS) + rng.choice(ADVERBS) + rng.choice(OBJECTS) + \
                    rng.choice(VERBS)
            cut = rng.randrange(24, 44)
            data = line.encode("cp932")[:cut].decode("cp932", "ignore").encode("cp932")
            f.write(data + b"\r\n")


def write_lines(out):
    rng = random.Random(20261208)
    with open(out, "wb") as f:
        for n in range(1_000_000):
            line = "" if rng.random() < 0.05 else paragraph(rng, rng.randrange(40, 130))
            f.write(line.encode("cp932") + b"\r\n")


WRITERS = {"prose": write_prose, "short": write_short, "lines": write_lines}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in WRITERS:
        raise SystemExit(__doc__)
    WRITERS[sys.argv[1]](sys.argv[2])


if __name__ == "__main__":
    main()
