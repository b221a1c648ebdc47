# The string work of string_build_top inside a procedure, on locals.
def main():
    hits = 0
    for turn in range(1, 181):
        s = ""
        for i in range(1, 20001):
            s = s + chr(65 + (i % 26))
        for i in range(1, len(s) - 3 + 1, 3):
            part = s[i - 1:i + 2]
            if part.find("ABC") >= 0:
                hits = hits + 1
        for i in range(1, 2001):
            hits = hits + (s.find("XYZ", i - 1) + 1)
    print(len(s), hits)


main()
