# textarray: a list of texts read and written with variable indexes.
def main():
    t = [""] * 100
    i = 0
    while i < 100:
        t[i] = "Wort" + str(i)
        i = i + 1
    n = 0
    k = 0
    while k < 2000:
        i = 0
        while i < 100:
            w = t[i]
            n = n + (w < "Wort5")
            t[i] = w
            i = i + 1
        k = k + 1
    print(n)


main()
