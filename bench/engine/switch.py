# switch: a multi-way branch on a computed value.
def main():
    s = 0
    i = 0
    while i < 300000:
        m = i % 4
        if m == 0:
            s = s + 1
        elif m == 1:
            s = s + 2
        else:
            s = s + 3
        i = i + 1
    print(s)


main()
