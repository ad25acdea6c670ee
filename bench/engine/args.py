# args: calls of a function with three arguments.
def mix(a, b, c):
    return a * 3 + b - c


def main():
    s = 0
    i = 0
    while i < 200000:
        s = s + mix(i % 10, i % 7, 4)
        i = i + 1
    print(s)


main()
