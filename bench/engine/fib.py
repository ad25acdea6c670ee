# fib: recursive function calls.
def fib(n):
    if n < 2:
        r = n
    else:
        r = fib(n - 1) + fib(n - 2)
    return r


def main():
    print(fib(24))


main()
