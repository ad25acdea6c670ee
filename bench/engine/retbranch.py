# retbranch: recursive fib returning from both branches.
def fib(n):
    if n < 2:
        return n
    else:
        return fib(n - 1) + fib(n - 2)


def main():
    print(fib(24))


main()
