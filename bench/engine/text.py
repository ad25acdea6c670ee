# text: building texts and comparing them (code point order, which is
# byte order for these ASCII texts).
def main():
    n = 0
    i = 0
    while i < 300000:
        w = "Wort" + str(i) + "x"
        n = n + (w < "Wort5")
        i = i + 1
    print(n)


main()
