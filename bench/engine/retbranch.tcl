# retbranch: recursive fib returning from both branches.
proc fib {n} {
    if {$n < 2} {
        return $n
    } else {
        return [expr {[fib [expr {$n - 1}]] + [fib [expr {$n - 2}]]}]
    }
}

proc main {} {
    puts [fib 24]
}
main
