# array: reading and writing the elements of an int array (a list).
def main():
    a = [0] * 1000
    k = 0
    while k < 200:
        i = 0
        while i < 1000:
            a[i] = a[i] + i
            i = i + 1
        k = k + 1
    s = 0
    i = 0
    while i < 1000:
        s = s + a[i]
        i = i + 1
    print(s)


main()
