# objects: calling a method of another object through its name.
class ZaehlerKlasse:
    def __init__(self):
        self.wert = 0

    def plus(self):
        self.wert = self.wert + 1


Zaehler = ZaehlerKlasse()


def main():
    i = 0
    while i < 300000:
        Zaehler.plus()
        i = i + 1
    print(Zaehler.wert)


main()
