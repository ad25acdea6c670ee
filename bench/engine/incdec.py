# incdec: the array loop with its steps written with +=.
def main():
    a = [0] * 1000
    k = 0
    while k < 200:
        i = 0
        while i < 1000:
            a[i] = a[i] + i
            i += 1
        k += 1
    s = 0
    i = 1000
    while i > 0:
        i -= 1
        s += a[i]
    print(s)


main()
