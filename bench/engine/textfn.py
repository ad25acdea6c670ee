# textfn: the text functions on built texts.
def main():
    n = 0
    i = 0
    while i < 100000:
        w = "Haus" + str(i) + "tür"
        n = n + len(w) + w.find("s") + len(w[2:5])
        i = i + 1
    print(n)


main()
