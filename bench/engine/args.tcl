# args: calls of a procedure with three arguments.
proc mix {a b c} {
    return [expr {$a * 3 + $b - $c}]
}

proc main {} {
    set s 0
    for {set i 0} {$i < 200000} {set i [expr {$i + 1}]} {
        set s [expr {$s + [mix [expr {$i % 10}] [expr {$i % 7}] 4]}]
    }
    puts $s
}
main
