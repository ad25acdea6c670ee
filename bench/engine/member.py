# member: method calls that change an initialised member, and reading it.
class Zaehler:
    def __init__(self):
        self.n = 0

    def plus(self):
        self.n = self.n + 1


def main():
    zaehler = Zaehler()
    s = 0
    i = 0
    while i < 300000:
        zaehler.plus()
        s = s + zaehler.n % 3
        i = i + 1
    print(s)


main()
