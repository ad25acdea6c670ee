# compound: the loop of "loop" written with +=.
def main():
    s = 0
    i = 0
    while i < 2000000:
        s += i % 7
        i += 1
    print(s)


main()
