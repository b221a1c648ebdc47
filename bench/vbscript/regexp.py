# Regular expressions over a 20 000-line report, twenty times over: every match of a pattern
# with a group, then a global replace that uses the group (as regexp.vbs).
import re

text = "\n".join(f"code {i % 30}: {i % 30 + 1} MHz ok" for i in range(20000))
pattern = re.compile(r"(\d+) MHz")
total = 0
for turn in range(1, 21):
    for m in pattern.finditer(text):
        total = total + int(m.group(1))
    replaced_length = len(pattern.sub(r"\g<1>000 kHz", text))
print(total, replaced_length)
