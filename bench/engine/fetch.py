# fetch: visiting the matching objects among 200 (a dict of their values).
def main():
    werte = {}
    k = 0
    while k < 200:
        werte["Ding%d" % k] = k
        k = k + 1
    n = 0
    k = 0
    while k < 200:
        gefunden = [o for o, wert in werte.items() if wert % 3 == 0]
        for o in reversed(gefunden):
            n = n + 1
        k = k + 1
    print(n)


main()
